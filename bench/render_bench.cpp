// Layout and drawing of generated scripts of 1,000 and 10,000 lines, and the
// floor that every drawing pays: allocating and filling a bitmap of the same
// size white. The time per line should not grow with the script.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <map>
#include <string>

#include "render/canvas.h"
#include "render/diagram_painter.h"
#include "translate/dom.h"

namespace kova {
namespace {

// Builds the tree that a script of `lines` lines translates to: the same
// section of 23 lines again and again (statements, if/else with a loop and a
// break, a case with three branches, a call, an until loop), each with its
// own numbers, as long scripts grow long rather than wide.
class ScriptTree {
 public:
  explicit ScriptTree(int lines) : document_(*factory_.CreateDocument()) {
    TDomElement root = document_.CreateElement("data");
    document_.AppendChild(root);
    for (int section = 0; lines_ < lines; ++section) AddSection(root, std::to_string(section));
  }
  TDomDocument& Document() const { return document_; }

 private:
  TDomElement Add(TDomElement parent, const char* tag, const std::string& caption,
                  int closingLines = 0) {
    TDomElement element = document_.CreateElement(QString::fromLatin1(tag));
    element.setAttribute("caption", QString::fromLatin1(caption.c_str()));
    AppendChild(parent, element);
    lines_ += 1 + closingLines;
    return element;
  }
  void AddSection(TDomElement root, const std::string& n) {
    Add(root, "anweisung", "echo \"Abschnitt " + n + " beginnt\"");
    TDomElement test = Add(root, "auswahl", "if [ -f \"$datei_" + n + "\" ]; then", 2);
    TDomElement yes = Add(test, "fall", "ja", -1);
    Add(yes, "anweisung", "cp \"$datei_" + n + "\" /var/tmp/ziel_" + n);
    TDomElement loop = Add(yes, "while", "while read zeile; do", 1);
    Add(loop, "anweisung", "echo \"$zeile\" >> protokoll_" + n + ".txt");
    Add(loop, "aussprung", "break");
    Add(Add(test, "fall", "nein", -1), "aufruf", "aufruf pruefe_" + n);
    TDomElement choice = Add(root, "auswahl", "case \"$1\" in", 1);
    Add(Add(choice, "fall", "start)", 1), "anweisung", "starte_dienst " + n);
    Add(Add(choice, "fall", "stop)", 1), "anweisung", "stoppe_dienst " + n);
    Add(Add(choice, "fall", "*)"), "anweisung", "echo \"unbekannt: $1\"");
    TDomElement until = Add(root, "until", "wiederhole bis [ $n -gt " + n + " ]", 1);
    Add(until, "anweisung", "n=$((n+1))");
  }

  TDomImplementation factory_;
  TDomDocument& document_;
  int lines_ = 0;
};

const ScriptTree& Script(int lines) {
  static std::map<int, ScriptTree> scripts;
  return scripts.try_emplace(lines, lines).first->second;
}

void UseDiagramFont(Canvas& canvas) {
  DiagramFont font;
  font.name = "DejaVu Sans";
  canvas.SetFont(font);
}

void CountLines(benchmark::State& state, int width, int height) {
  state.counters["width"] = width;
  state.counters["height"] = height;
  state.counters["per_line"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The first drawing of a script: a new canvas, so a new bitmap every time.
void DrawScript(benchmark::State& state) {
  const ScriptTree& script = Script(static_cast<int>(state.range(0)));
  DiagramPainter painter;
  int width = 0;
  int height = 0;
  for (auto _ : state) {
    Canvas canvas;
    UseDiagramFont(canvas);
    painter.DrawDiagram(script.Document(), canvas);
    benchmark::DoNotOptimize(canvas.Image().constBits());
    width = canvas.Width();
    height = canvas.Height();
  }
  CountLines(state, width, height);
}
BENCHMARK(DrawScript)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Drawing the script again, as every run after the first does: the canvas
// and its bitmap are kept.
void RedrawScript(benchmark::State& state) {
  const ScriptTree& script = Script(static_cast<int>(state.range(0)));
  static std::map<int64_t, Canvas> canvases;
  Canvas& canvas = canvases[state.range(0)];
  UseDiagramFont(canvas);
  DiagramPainter painter;
  painter.DrawDiagram(script.Document(), canvas);
  for (auto _ : state) {
    painter.DrawDiagram(script.Document(), canvas);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  CountLines(state, canvas.Width(), canvas.Height());
}
BENCHMARK(RedrawScript)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The floor: a bitmap of the drawn diagram's size, allocated and filled white.
void FillBitmap(benchmark::State& state) {
  const ScriptTree& script = Script(static_cast<int>(state.range(0)));
  Canvas measure;
  UseDiagramFont(measure);
  DiagramPainter().DrawDiagram(script.Document(), measure);
  const int width = measure.Width();
  const int height = measure.Height();
  for (auto _ : state) {
    QImage bitmap(width, height, QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    benchmark::DoNotOptimize(bitmap.constBits());
  }
}
BENCHMARK(FillBitmap)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kova

// Drawing text needs fonts, and fonts need an application object.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
