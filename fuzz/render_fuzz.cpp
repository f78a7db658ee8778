// Lays out and draws diagram trees with arbitrary metrics and fonts: every
// metric, the font's size and orientation and the fixed text height range
// over all of int. The first byte says which of them the input gives; the
// rest keep the program's defaults, so that a few bytes already make a
// tree. The trees are either built from the bytes directly (any element
// under any other, shapes the translator never makes included) or
// translated from them as a script. Drawing may refuse a tree or a size with
// an error, but must never crash or trip one of its assertions.
#include <QGuiApplication>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "byte_reader.h"
#include "render/canvas.h"
#include "render/diagram_painter.h"
#include "translate/dom.h"
#include "translate/exception.h"
#include "translate/translator.h"

namespace {

constexpr long long kMaxPixels = 20000000;  // keeps the fuzzer's memory bounded

// The bits of an input's first byte.
constexpr uint8_t kScript = 0x01;           // a script follows, else a tree
constexpr uint8_t kRealTextMetrics = 0x02;  // text measured in the font, else fixed sizes
constexpr uint8_t kTakeComments = 0x04;     // the script's comments are taken over
constexpr uint8_t kMetricsFollow = 0x08;    // six 4-byte metrics and the alignment byte
constexpr uint8_t kBold = 0x10;
constexpr uint8_t kItalic = 0x20;
constexpr uint8_t kFontFollows = 0x40;      // the font's 4-byte size and orientation
constexpr uint8_t kTextSizeFollows = 0x80;  // the fixed text height (4 bytes), width per character

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

// The rest of the bytes as a script, split into lines at every CR and LF.
std::vector<std::string> ScriptLines(ByteReader& bytes) {
  std::vector<std::string> lines(1);
  while (!bytes.Empty()) {
    const char byte = static_cast<char>(bytes.Next());
    if (byte == '\r' || byte == '\n')
      lines.emplace_back();
    else
      lines.back() += byte;
  }
  return lines;
}

// Lays the tree out, then draws it unless the picture would be larger than
// the fuzzer can afford.
void Draw(kova::DiagramPainter& painter, kova::TDomDocument& document, kova::Canvas& canvas) {
  try {
    const kova::TDomElement root = document.DocumentElement();
    kova::CheckDiagramDepth(root);
    painter.SetTarget(document, canvas);
    const long long width = painter.ComputeWidth(root) + 20;
    const long long height = painter.ComputeHeight(root) + 20;
    if (width > 0 && height > 0 && width > kMaxPixels / height) return;
    painter.DrawDiagram(document, canvas);
  } catch (const kova::Exception& error) {
    if (std::string(error.what()).find("Assertion") != std::string::npos) __builtin_trap();
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
  const uint8_t choices = bytes.Next();
  kova::DiagramMetrics metrics;
  if (choices & kMetricsFollow) {
    for (int* value : {&metrics.AnweisungsHoehe, &metrics.SchleifenBreite, &metrics.AufrufBreite,
                       &metrics.LeerAbstand, &metrics.NullBreite, &metrics.Abstand}) {
      *value = bytes.NextInt();
    }
    metrics.Ausrichtung = bytes.Next();
  }
  kova::DiagramFont font;
  if (choices & kFontFollows) {
    font.size = bytes.NextInt();
    font.orientation = bytes.NextInt();
  }
  font.bold = (choices & kBold) != 0;
  font.italic = (choices & kItalic) != 0;
  int textHeight = 13;  // about what the default 8-point font measures
  int widthPerChar = 7;
  if (choices & kTextSizeFollows) {
    textHeight = bytes.NextInt();
    widthPerChar = bytes.Next();
  }

  kova::Canvas canvas;
  canvas.SetFont(font);
  // Real measurements follow the font's size; fixed ones let the text's
  // height take any value.
  if ((choices & kRealTextMetrics) == 0) {
    canvas.UseFixedTextMetrics(kova::FixedTextMetrics{
        [widthPerChar](const std::string& text) {
          return static_cast<int>(std::min<size_t>(text.size(), 1000000)) * widthPerChar;
        },
        textHeight,
        {}});
  }
  kova::DiagramPainter painter(metrics);
  kova::TDomImplementation factory;
  if ((choices & kScript) == 0) {
    kova::TDomDocument& document = *factory.CreateDocument();
    kova::TDomElement root = document.CreateElement("data");
    document.AppendChild(root);
    BuildTree(bytes, document, root);
    Draw(painter, document, canvas);
    return 0;
  }
  kova::TFunktionen functions;
  kova::Translator translator(factory, (choices & kTakeComments) != 0,
                              [](int, const std::string&, const std::string&) {});
  kova::TDomDocument* main = translator.BuildDiagramTree(ScriptLines(bytes), functions);
  Draw(painter, *main, canvas);
  for (kova::TDomDocument* function : functions) Draw(painter, *function, canvas);
  return 0;
}
