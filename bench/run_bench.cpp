// F9 in a shown window on scripts with many functions: each run translates,
// draws every diagram and builds one tab per function, so its cost per
// function must not grow with the number of functions (at 10,000 functions
// within 1.5 times that at 1,000), and 100,000 lines with functions should
// take at most 1.3 times as long as 100,000 lines without. Every figure
// includes the events the run leaves behind (layout, showing), which the user
// waits for as well. Opening a file runs the same way after loading it;
// closing the window frees every diagram.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/editor/script_editor.h"
#include "app/platform/dialog_seam.h"
#include "app/platform/error_handler.h"
#include "app/window/main_form.h"

namespace {

// Answers the file dialog with one file and counts every message: a message
// means the script or the run went wrong and the figure is worthless.
class BenchDialogs final : public kova::DialogSeam {
 public:
  BenchDialogs() { kova::InstallDialogSeam(this); }
  ~BenchDialogs() override { kova::InstallDialogSeam(nullptr); }
  BenchDialogs(const BenchDialogs&) = delete;
  BenchDialogs& operator=(const BenchDialogs&) = delete;

  kova::MessageButton Message(const kova::MessageRequest& /*request*/) override {
    ++messages;
    return kova::MessageButton::No;
  }
  std::optional<kova::FileChoice> FileDialog(const kova::FileDialogRequest& /*request*/,
                                                 const kova::FileNameCheck& /*mayTake*/) override {
    return kova::FileChoice{fileName, 1};
  }
  std::optional<QFont> FontDialog(const QFont& /*initial*/) override { return std::nullopt; }

  QString fileName;
  int messages = 0;
};

BenchDialogs* gDialogs = nullptr;

std::string Number(int i) { return std::to_string(i); }

// `count` functions of three lines each, then one main-program line.
std::string SmallFunctions(int count) {
  std::string script;
  for (int i = 0; i < count; ++i) {
    script += "function f" + Number(i) + " {\n  echo " + Number(i) + "\n}\n";
  }
  return script + "echo haupt\n";
}

// Blocks of twelve lines with an if, a case and a loop; with `functions`
// each block is a function, without it the same block stands in the main
// program, its first and last line turned into statements.
std::string Blocks(int lines, bool functions) {
  std::string script;
  for (int i = 0; i * 12 < lines; ++i) {
    const std::string n = Number(i);
    script += functions ? "function f" + n + " {\n" : "echo f" + n + "\n";
    script += "  if [ -f datei_" + n + " ]; then\n    case \"$1\" in\n      start)\n        echo " + n +
              "\n        ;;\n    esac\n  fi\n  while read zeile; do\n    echo \"$zeile\"\n  done\n";
    script += functions ? "}\n" : "echo ende\n";
  }
  return script;
}

// A shown window on a settings file of its own.
class Window {
 public:
  Window() : fForm(std::make_unique<TMainForm>(fFolder.filePath("KOVA.ini"))) {
    fForm->show();
    Settle();
  }
  TMainForm& Form() { return *fForm; }
  void Run() {
    fForm->RunAction->trigger();
    Settle();
  }
  void SetText(const std::string& script) {
    fForm->fEditor->setText(QString::fromLatin1(script.data(), static_cast<qsizetype>(script.size())));
  }
  void Close() {
    fForm.reset();
    Settle();
  }
  static void Settle() { QCoreApplication::processEvents(); }

 private:
  QTemporaryDir fFolder;
  std::unique_ptr<TMainForm> fForm;
};

void CountFunctions(benchmark::State& state, int functions) {
  state.counters["functions"] = functions;
  if (functions > 0) {
    state.counters["per_function"] = benchmark::Counter(
        functions, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  }
  if (gDialogs->messages != 0) state.SkipWithError("the run reported a message");
}

// Each further F9 on the same text, as after an edit.
void RunAgain(benchmark::State& state, const std::string& script, int functions) {
  gDialogs->messages = 0;
  Window window;
  window.SetText(script);
  window.Run();
  for (auto _ : state) window.Run();
  CountFunctions(state, functions);
}

void RunSmallFunctions(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  RunAgain(state, SmallFunctions(count), count);
}
BENCHMARK(RunSmallFunctions)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The first F9 on `count` small functions in a new window: the window is
// blocked for all of it. Its cost per function must not grow with the number
// of functions: at 100,000 within 1.5 times that at 10,000, and 10 seconds in
// all. Closing the window afterwards is not part of the figure.
void FirstRunSmallFunctions(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string script = SmallFunctions(count);
  gDialogs->messages = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<Window>();
    window->SetText(script);
    state.ResumeTiming();
    window->Run();
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
  }
  CountFunctions(state, count);
}
BENCHMARK(FirstRunSmallFunctions)->Arg(10000)->Arg(40000)->Arg(100000)->Unit(benchmark::kMillisecond);

// F9 after the number of functions changed, as editing a script does: runs
// of `count` and of half as many functions take turns.
void RunChangingFunctions(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const std::string scripts[] = {SmallFunctions(count), SmallFunctions(count / 2)};
  gDialogs->messages = 0;
  Window window;
  window.SetText(scripts[1]);
  window.Run();
  int turn = 0;
  for (auto _ : state) {
    state.PauseTiming();
    window.SetText(scripts[turn]);
    turn = 1 - turn;
    state.ResumeTiming();
    window.Run();
  }
  CountFunctions(state, count * 3 / 4);
}
BENCHMARK(RunChangingFunctions)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A script of 50 lines as people write them: an if, a case, a loop and four
// functions.
std::string SmallScript() {
  std::string script = "#!/bin/bash\n# Sicherung der Dateien eines Ordners\n";
  for (const char* name : {"pruefen", "sichern", "melden", "aufraeumen"}) {
    script += "function " + std::string(name) + " {\n  echo \"" + name + ": $1\"\n  return 0\n}\n";
  }
  script +=
      "ziel=/tmp/sicherung\nn=0\nif [ ! -d \"$ziel\" ]; then\n  mkdir -p \"$ziel\"\nelif [ -f \"$ziel\" ]; "
      "then\n  melden \"kein Ordner\"\n  exit 1\nelse\n  echo \"vorhanden\"\nfi\ncase \"$1\" in\n  "
      "-v)\n    echo \"ausfuehrlich\"\n    ;;\n  -q)\n    exec >/dev/null\n    ;;\n  *)\n    echo "
      "\"normal\"\n    ;;\nesac\nfor f in *; do\n  pruefen \"$f\"\n  if [ -f \"$f\" ]; then\n    sichern "
      "\"$f\"\n    n=$((n+1))\n  fi\n  [ $n -gt 99 ] && break\ndone\naufraeumen\necho \"fertig: $n "
      "Dateien\"\n";
  return script;
}

// F9 on that script again and again, in a new window (0) and after one F9 on
// 100,000 small functions in the same window (100000), whose diagrams the
// first of these runs frees.
void RunSmallScriptAfterFunctions(benchmark::State& state) {
  gDialogs->messages = 0;
  Window window;
  if (const int functions = static_cast<int>(state.range(0)); functions > 0) {
    window.SetText(SmallFunctions(functions));
    window.Run();
  }
  window.SetText(SmallScript());
  window.Run();
  for (auto _ : state) window.Run();
  CountFunctions(state, 4);
}
BENCHMARK(RunSmallScriptAfterFunctions)->Arg(0)->Arg(100000)->Unit(benchmark::kMicrosecond);

// 100,000 lines with and without functions: the functions' tabs and images
// should cost little beside translating and drawing the same lines.
void RunBlocks(benchmark::State& state) {
  const bool functions = state.range(1) != 0;
  const int lines = static_cast<int>(state.range(0));
  RunAgain(state, Blocks(lines, functions), functions ? (lines + 11) / 12 : 0);
}
BENCHMARK(RunBlocks)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

// Opening a file of small functions in a new window (the first run), and
// closing the window again.
std::unique_ptr<QTemporaryDir> WriteScript(int functions) {
  auto folder = std::make_unique<QTemporaryDir>();
  QFile file(folder->filePath("skript.sh"));
  const std::string script = SmallFunctions(functions);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(script.data(), static_cast<qint64>(script.size())) != static_cast<qint64>(script.size())) {
    std::abort();
  }
  gDialogs->fileName = file.fileName();
  return folder;
}

enum class Step { Open, Close };

void OpenFile(Window& window) {
  window.Form().OpenAction->trigger();
  Window::Settle();
}

// Only `timed` counts; the window of each round is closed untimed at the
// start of the next when opening is timed.
void OpenOrClose(benchmark::State& state, Step timed) {
  const int count = static_cast<int>(state.range(0));
  const auto folder = WriteScript(count);
  gDialogs->messages = 0;
  std::unique_ptr<Window> window;
  for (auto _ : state) {
    state.PauseTiming();
    window = std::make_unique<Window>();
    if (timed == Step::Close) OpenFile(*window);
    state.ResumeTiming();
    if (timed == Step::Open) {
      OpenFile(*window);
    } else {
      window->Close();
    }
  }
  window.reset();
  CountFunctions(state, count);
}

void OpenSmallFunctions(benchmark::State& state) { OpenOrClose(state, Step::Open); }
BENCHMARK(OpenSmallFunctions)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void CloseSmallFunctions(benchmark::State& state) { OpenOrClose(state, Step::Close); }
BENCHMARK(CloseSmallFunctions)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The offscreen platform warns about every window it shows; the figures
// should not drown in that.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& /*context*/, const QString& message) {
  if (message.contains(QLatin1String("propagateSizeHints"))) return;
  std::fprintf(stderr, "%d: %s\n", static_cast<int>(type), qPrintable(message));
}

}  // namespace

// The window needs an application object; offscreen, it needs no screen.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietOffscreenWarnings);
  kova::KovaApplication application(argc, argv);
  BenchDialogs dialogs;
  gDialogs = &dialogs;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
