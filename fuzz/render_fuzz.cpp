// Builds a diagram tree from arbitrary bytes (any element under any other,
// shapes the translator never makes included) with arbitrary diagram
// metrics, then lays it out and draws it. Drawing may refuse a tree or a
// size with an error, but must never crash or trip one of its assertions.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/diagram_painter.h"
#include "translate/dom.h"
#include "translate/exception.h"

namespace {

constexpr long long kMaxPixels = 20000000;  // keeps the fuzzer's memory bounded

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool Empty() const { return position_ >= size_; }
  uint8_t Next() { return Empty() ? 0 : data_[position_++]; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

// One byte per step: its low bits choose an element to append to the open
// element (or to close it), a further byte the caption's length.
void BuildTree(ByteReader& bytes, kova::TDomDocument& document, kova::TDomElement root) {
  static const char* const tags[] = {"anweisung", "auswahl", "while", "until", "aufruf",
                                     "aussprung", "ende",    "fall",  "fremd"};
  std::vector<kova::TDomElement> open = {root};
  while (!bytes.Empty()) {
    const uint8_t step = bytes.Next();
    if (step % 11 == 9) {
      if (open.size() > 1) open.pop_back();
      continue;
    }
    if (step % 11 == 10) continue;
    kova::TDomElement element = document.CreateElement(QString::fromLatin1(tags[step % 11]));
    if (step & 0x80) {
      std::string caption(bytes.Next() % 24, '\0');
      for (char& c : caption) c = static_cast<char>(bytes.Next());
      element.setAttribute(
          "caption", QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size())));
    }
    kova::AppendChild(open.back(), element);
    if (step & 0x40) open.push_back(element);
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static QGuiApplication application(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ByteReader bytes(data, size);
  kova::DiagramMetrics metrics;
  for (int* value : {&metrics.AnweisungsHoehe, &metrics.SchleifenBreite, &metrics.AufrufBreite,
                     &metrics.LeerAbstand, &metrics.NullBreite, &metrics.Abstand}) {
    *value = static_cast<int8_t>(bytes.Next());
  }
  metrics.Ausrichtung = bytes.Next() % 5;
  const int textHeight = bytes.Next() % 40;
  kova::TDomImplementation factory;
  kova::TDomDocument& document = *factory.CreateDocument();
  kova::TDomElement root = document.CreateElement("data");
  document.AppendChild(root);
  BuildTree(bytes, document, root);

  kova::Canvas canvas;
  canvas.UseFixedTextMetrics(kova::FixedTextMetrics{
      [](const std::string& text) { return static_cast<int>(text.size()) * 3; }, textHeight, {}});
  kova::DiagramPainter painter(metrics);
  try {
    kova::CheckDiagramDepth(root);
    painter.SetTarget(document, canvas);
    const long long width = painter.ComputeWidth(root) + 20;
    const long long height = painter.ComputeHeight(root) + 20;
    if (width > 0 && height > 0 && width * height > kMaxPixels) return 0;
    painter.DrawDiagram(document, canvas);
  } catch (const kova::Exception& error) {
    if (std::string(error.what()).find("Assertion") != std::string::npos) __builtin_trap();
  }
  return 0;
}
