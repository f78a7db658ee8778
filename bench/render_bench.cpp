// Layout and drawing of generated scripts of 1,000, 10,000 and 100,000 lines,
// flat (statements only) and mixed (every kind of element), and the floor
// that a first drawing pays: allocating and filling a bitmap of the same
// size white, which for large bitmaps is mostly the kernel handing out fresh
// pages. The time per line should not grow with the script.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "render/canvas.h"
#include "render/diagram_painter.h"
#include "translate/dom.h"
#include "translate/translator.h"

namespace kova {
namespace {

enum class Shape { kFlat, kMixed };

// The diagram of a script of `lines` lines, each with its own numbers, as
// long scripts grow long rather than wide. A mixed script repeats a section
// of 23 lines (statements, if/else with a loop and a break, a case with
// three branches, a call, a foot-controlled loop); a flat one is statements.
class ScriptTree {
 public:
  explicit ScriptTree(std::pair<Shape, int> script) {
    const Translator translator(factory_, false, ErrorReport());
    TFunktionen functions;
    const auto [shape, lines] = script;
    document_ = translator.BuildDiagramTree(
        shape == Shape::kFlat ? FlatLines(lines) : MixedLines(lines), functions);
  }
  TDomDocument& Document() const { return *document_; }

 private:
  static std::vector<std::string> FlatLines(int count) {
    std::vector<std::string> lines;
    for (int line = 0; line < count; ++line) {
      const std::string n = std::to_string(line);
      lines.push_back("cp \"$datei_" + n + "\" /var/tmp/ziel_" + n);
    }
    return lines;
  }

  static std::vector<std::string> MixedLines(int count) {
    std::vector<std::string> lines;
    for (int section = 0; static_cast<int>(lines.size()) < count; ++section) {
      const std::string n = std::to_string(section);
      for (const std::string& line :
           std::vector<std::string>{"echo \"Abschnitt " + n + " beginnt\"",
                                    "if [ -f \"$datei_" + n + "\" ]; then",
                                    "  cp \"$datei_" + n + "\" /var/tmp/ziel_" + n,
                                    "  while read zeile; do",
                                    "    echo \"$zeile\" >> protokoll_" + n + ".txt",
                                    "    break",
                                    "  done",
                                    "else",
                                    "  aufruf pruefe_" + n,
                                    "fi",
                                    "case \"$1\" in",
                                    "  start)",
                                    "    starte_dienst " + n,
                                    "    ;;",
                                    "  stop)",
                                    "    stoppe_dienst " + n,
                                    "    ;;",
                                    "  *)",
                                    "    echo \"unbekannt: $1\"",
                                    "    ;;",
                                    "esac",
                                    "schleife",
                                    "  n=$((n+1))",
                                    "wiederhole bis [ $n -gt " + n + " ]"}) {
        lines.push_back(line);
      }
    }
    lines.resize(static_cast<size_t>(count));
    return lines;
  }

  TDomImplementation factory_;
  TDomDocument* document_ = nullptr;
};

const ScriptTree& Script(Shape shape, int64_t lines) {
  static std::map<std::pair<Shape, int>, ScriptTree> scripts;
  const std::pair<Shape, int> key(shape, static_cast<int>(lines));
  return scripts.try_emplace(key, key).first->second;
}

// Named in full, so that the drawing stays the same when the defaults change.
void UseDiagramFont(Canvas& canvas) {
  DiagramFont font;
  font.name = "DejaVu Sans";
  font.size = 8;
  canvas.SetFont(font);
}

void CountLines(benchmark::State& state, int width, int height) {
  state.counters["width"] = width;
  state.counters["height"] = height;
  state.counters["per_line"] = benchmark::Counter(
      static_cast<double>(state.range(0)),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Lengths(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

// The first drawing of a script: a new canvas, so a new bitmap every time.
void DrawScript(benchmark::State& state, Shape shape) {
  const ScriptTree& script = Script(shape, state.range(0));
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
BENCHMARK_CAPTURE(DrawScript, flat, Shape::kFlat)->Apply(Lengths);
BENCHMARK_CAPTURE(DrawScript, mixed, Shape::kMixed)->Apply(Lengths);

// The second drawing of a script, as the second run does: the canvas and its
// bitmap are kept, and the pictures of the texts drawn before are taken.
void FirstRedrawScript(benchmark::State& state, Shape shape) {
  const ScriptTree& script = Script(shape, state.range(0));
  DiagramPainter painter;
  std::optional<Canvas> canvas;
  for (auto _ : state) {
    state.PauseTiming();
    canvas.reset();
    canvas.emplace();
    UseDiagramFont(*canvas);
    painter.DrawDiagram(script.Document(), *canvas);
    state.ResumeTiming();
    painter.DrawDiagram(script.Document(), *canvas);
    benchmark::DoNotOptimize(canvas->Image().constBits());
  }
  CountLines(state, canvas->Width(), canvas->Height());
}
BENCHMARK_CAPTURE(FirstRedrawScript, flat, Shape::kFlat)->Apply(Lengths);
BENCHMARK_CAPTURE(FirstRedrawScript, mixed, Shape::kMixed)->Apply(Lengths);

// Drawing the script again, as every run after the second does: the canvas
// and its bitmap are kept, and with them the pictures of the texts drawn.
void RedrawScript(benchmark::State& state, Shape shape) {
  const ScriptTree& script = Script(shape, state.range(0));
  static std::map<std::pair<Shape, int64_t>, Canvas> canvases;
  Canvas& canvas = canvases[{shape, state.range(0)}];
  UseDiagramFont(canvas);
  DiagramPainter painter;
  painter.DrawDiagram(script.Document(), canvas);
  painter.DrawDiagram(script.Document(), canvas);
  for (auto _ : state) {
    painter.DrawDiagram(script.Document(), canvas);
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
  CountLines(state, canvas.Width(), canvas.Height());
}
BENCHMARK_CAPTURE(RedrawScript, flat, Shape::kFlat)->Apply(Lengths);
BENCHMARK_CAPTURE(RedrawScript, mixed, Shape::kMixed)->Apply(Lengths);

// The floor: a bitmap of the drawn diagram's size, allocated and filled white.
void FillBitmap(benchmark::State& state, Shape shape) {
  const ScriptTree& script = Script(shape, state.range(0));
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
BENCHMARK_CAPTURE(FillBitmap, flat, Shape::kFlat)->Apply(Lengths);
BENCHMARK_CAPTURE(FillBitmap, mixed, Shape::kMixed)->Apply(Lengths);

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
