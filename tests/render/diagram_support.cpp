#include "render/diagram_support.h"

#include <gtest/gtest.h>

namespace kova::test {

TDomElement Add(TDomNode parent, const char* tag, std::optional<std::string> caption) {
  TDomElement element = parent.ownerDocument().createElement(QString::fromLatin1(tag));
  if (caption) {
    element.setAttribute(
        QStringLiteral("caption"),
        QString::fromLatin1(caption->data(), static_cast<qsizetype>(caption->size())));
  }
  parent.appendChild(element);
  return element;
}

DiagramFixture::DiagramFixture(TextWidths widths, int textHeight)
    : document(*factory.CreateDocument()), root(document.CreateElement(QStringLiteral("data"))) {
  document.AppendChild(root);
  UseFixedMetrics(
      canvas, std::move(widths), textHeight,
      [this](long long x, long long y, const std::string& text, const DiagramFont& font) {
        texts.push_back(DrawnText{x, y, text, font.bold});
      });
}

const QImage& DiagramFixture::Draw() {
  texts.clear();
  DiagramPainter painter(metrics);
  painter.DrawDiagram(document, canvas);
  return canvas.Image();
}

DrawnText DiagramFixture::Text(const std::string& text) const {
  std::vector<DrawnText> found;
  for (const DrawnText& drawn : texts) {
    if (drawn.text == text) found.push_back(drawn);
  }
  EXPECT_EQ(found.size(), 1u) << "text \"" << text << "\"";
  return found.empty() ? DrawnText{-1, -1, text, false} : found.front();
}

int DiagramFixture::AttributeOf(const TDomElement& element, const char* name) const {
  bool ok = false;
  const int value = element.attribute(QString::fromLatin1(name)).toInt(&ok);
  EXPECT_TRUE(ok) << name << " missing on " << element.tagName().toStdString();
  return value;
}

}  // namespace kova::test
