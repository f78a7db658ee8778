#include "render/diagram_tree.h"

#include <QDomElement>
#include <array>

namespace kova {
namespace {

long long IntAttribute(const QDomNode& node, const QString& name) {
  bool ok = false;
  const int value = node.toElement().attribute(name).toInt(&ok);
  return ok ? value : 0;
}

void SetIntAttribute(const QDomNode& node, const QString& name, long long value) {
  QDomElement element = node.toElement();
  if (!element.isNull()) element.setAttribute(name, QString::number(value));
}

}  // namespace

unsigned char KindOf(const QDomNode& node) {
  static const std::array<QString, 9> names = {QString(),
                                               QStringLiteral("anweisung"),
                                               QStringLiteral("auswahl"),
                                               QStringLiteral("while"),
                                               QStringLiteral("until"),
                                               QStringLiteral("aufruf"),
                                               QStringLiteral("aussprung"),
                                               QStringLiteral("ende"),
                                               QStringLiteral("fall")};
  const QString name = node.nodeName();
  for (unsigned char kind = 1; kind < names.size(); ++kind) {
    if (name == names[kind]) return kind;
  }
  return kOther;
}

std::string CaptionOf(const QDomNode& node) {
  return node.toElement().attribute(QStringLiteral("caption")).toLatin1().toStdString();
}

long long BreiteOf(const QDomNode& node) { return IntAttribute(node, QStringLiteral("breite")); }
long long HoeheOf(const QDomNode& node) { return IntAttribute(node, QStringLiteral("hoehe")); }

bool IsDefaultBranchNode(const QDomNode& node) {
  const std::string caption = CaptionOf(node);
  return caption == "else" || caption == "sonst" || caption == "nein" || caption == "*)";
}

void SetBreite(const QDomNode& node, long long value) {
  SetIntAttribute(node, QStringLiteral("breite"), value);
}
void SetHoehe(const QDomNode& node, long long value) {
  SetIntAttribute(node, QStringLiteral("hoehe"), value);
}

}  // namespace kova
