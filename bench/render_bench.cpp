// Layout and drawing of generated scripts of 1,000, 10,000 and 100,000 lines,
// and the floor that a first drawing pays: allocating and filling a bitmap
// of the same size white, which for large bitmaps is mostly the kernel
// handing out fresh pages. The time per line should not grow with the script.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "render/canvas.h"
#include "render/diagram_painter.h"
#include "translate/dom.h"
#include "translate/translator.h"

namespace kova {
namespace {

// The diagram of a script of `lines` lines: the same section of 23 lines
// again and again (statements, if/else with a loop and a break, a case with
// three branches, a call, a foot-controlled loop), each with its own
// numbers, as long scripts grow long rather than wide.
class ScriptTree {
 public:
  explicit ScriptTree(int lines) {
    const Translator translator(factory_, false, ErrorReport());
    TFunktionen functions;
    document_ = translator.BuildDiagramTree(Lines(lines), functions);
  }
  TDomDocument& Document() const { return *document_; }

 private:
  static std::vector<std::string> Lines(int count) {
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
BENCHMARK(DrawScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Drawing the script again, as every run after the first does: the canvas
// and its bitmap are kept, and with them the pictures of the texts drawn.
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
BENCHMARK(RedrawScript)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
BENCHMARK(FillBitmap)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

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
