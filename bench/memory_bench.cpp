// The memory that opening a hostile file takes. Each case opens its file
// through "Öffnen..." in a window of its own in a child process and reports
// the child's peak resident memory (getrusage(RUSAGE_CHILDREN).ru_maxrss),
// the run's budget, how the run ended and how long the window was blocked
// (opening, the run and, in a shown window, the first paint after it). A
// 50 MB script must be refused with the message for memory before it takes
// 1.5 GB; a 1 MB random binary file must end, drawn or refused, within the
// budget; a line of 100 MB and a script of 1,000,000 functions must be
// refused within the budget, the functions within 5 seconds. The line's
// first display in the editor takes as long as the editor needs to measure
// it (see ShowHundredMegabyteLine).
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>

#include <QElapsedTimer>

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

#include "app/platform/dialog_seam.h"
#include "app/window/main_form.h"
#include "translate/memory_room.h"

namespace {

constexpr double kMegabyte = 1024.0 * 1024.0;

// How a run ended, as the child's exit code tells it.
enum Outcome { kDrawn = 0, kRefusedForMemory = 1, kRefusedOtherwise = 2, kCrashed = 3 };

// Chooses the one file and notes the messages the run shows.
class OpenOneFile final : public kova::DialogSeam {
 public:
  explicit OpenOneFile(QString fileName) : fileName_(std::move(fileName)) {}
  kova::MessageButton Message(const kova::MessageRequest& request) override {
    // Binary lines may also make errors of the script, which are no refusal.
    if (request.kind == kova::MessageKind::Error) {
      outcome = request.text.contains(QStringLiteral("Arbeitsspeicher")) ? kRefusedForMemory
                                                                         : kRefusedOtherwise;
    }
    return kova::MessageButton::Ok;
  }
  std::optional<kova::FileChoice> FileDialog(const kova::FileDialogRequest&,
                                             const kova::FileNameCheck&) override {
    return kova::FileChoice{fileName_, 4};
  }
  std::optional<QFont> FontDialog(const QFont&) override { return std::nullopt; }

  Outcome outcome = kDrawn;

 private:
  QString fileName_;
};

// Writes the seconds the window was blocked to `timing`.
int OpenInWindow(const std::string& fileName, bool shown, int timing) {
  int argc = 1;
  char name[] = "memory_bench";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QTemporaryDir folder;
  OpenOneFile dialogs(QString::fromStdString(fileName));
  kova::InstallDialogSeam(&dialogs);
  {
    TMainForm form(folder.filePath(QStringLiteral("KOVA.ini")));
    if (shown) {
      form.show();
      QApplication::processEvents();
    }
    QElapsedTimer blocked;
    blocked.start();
    form.OpenAction->trigger();
    if (shown) form.repaint();
    const double seconds = static_cast<double>(blocked.nsecsElapsed()) / 1e9;
    if (write(timing, &seconds, sizeof seconds) != sizeof seconds) return kCrashed;
  }
  kova::InstallDialogSeam(nullptr);
  return dialogs.outcome;
}

struct ChildResult {
  long long peakBytes = 0;
  int outcome = kCrashed;
  double blockedSeconds = 0;
};

// Runs the case in a grandchild, so that RUSAGE_CHILDREN holds its peak
// alone, whatever cases ran before.
ChildResult PeakOfOpening(const std::string& fileName, bool shown) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t measurer = fork();
  if (measurer == 0) {
    close(channel[0]);
    int timing[2];
    if (pipe(timing) != 0) _exit(1);
    const pid_t opener = fork();
    if (opener == 0) _exit(OpenInWindow(fileName, shown, timing[1]));
    close(timing[1]);
    double seconds = 0;
    const bool timed = read(timing[0], &seconds, sizeof seconds) == sizeof seconds;
    int status = 0;
    waitpid(opener, &status, 0);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    ChildResult result{usage.ru_maxrss * 1024LL,
                       WIFEXITED(status) && timed ? WEXITSTATUS(status) : kCrashed, seconds};
    const bool written = write(channel[1], &result, sizeof result) == sizeof result;
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  ChildResult result;
  if (read(channel[0], &result, sizeof result) != sizeof result) result = {};
  close(channel[0]);
  waitpid(measurer, nullptr, 0);
  return result;
}

// A script as people write them, of about `bytes` bytes: about ten bytes a
// line, as in long generated scripts.
std::string RealisticScript(size_t bytes) {
  static const char* const kBlock[] = {
      "#!/bin/sh",  "",     "# Dateien einzeln sichern", "n=0", "if [ -f \"$f\" ]", "then",
      "  cp \"$f\" /tmp", "elif [ -d \"$f\" ]", "  ls -l \"$f\"", "else", "  echo \"$f\"", "fi",
      "case $n in", "1)", "  n=2", "  ;;", "*)", "  exit 1", "  ;;", "esac", "while read f", "do",
      "  n=$((n+1))", "  [ $n -gt 9 ] && break", "done", "echo \"fertig: $n Dateien\""};
  std::string script;
  script.reserve(bytes + 64);
  while (script.size() < bytes) {
    for (const char* line : kBlock) {
      script += line;
      script += '\n';
    }
  }
  return script;
}

std::string RandomBytes(size_t bytes) {
  std::mt19937 random(11);
  std::string data(bytes, '\0');
  for (char& byte : data) byte = static_cast<char>(random() & 0xFF);
  return data;
}

// Returns how the run ended.
int OpenFile(benchmark::State& state, const std::string& content, double peakLimitMegabytes,
             bool shown = false) {
  QTemporaryDir folder;
  const std::string fileName = folder.filePath(QStringLiteral("datei.sh")).toStdString();
  std::ofstream(fileName, std::ios::binary) << content;
  const double budget = static_cast<double>(kova::MemoryRoom()) / 2 / kMegabyte;
  ChildResult result;
  for (auto _ : state) result = PeakOfOpening(fileName, shown);
  const double peak = static_cast<double>(result.peakBytes) / kMegabyte;
  state.counters["peak_MB"] = peak;
  state.counters["budget_MB"] = budget;
  state.counters["refused"] = result.outcome == kRefusedForMemory || result.outcome == kRefusedOtherwise;
  state.counters["blocked_s"] = result.blockedSeconds;
  if (result.outcome == kCrashed) state.SkipWithError("the run did not end with a picture or a message");
  else if (peak > std::min(budget, peakLimitMegabytes))
    state.SkipWithError("the run took more memory than it may");
  return result.outcome;
}

void OpenFiftyMegabyteScript(benchmark::State& state) {
  const std::string script = RealisticScript(50 << 20);
  if (OpenFile(state, script, 1536) != kRefusedForMemory)
    state.SkipWithError("the script was not refused for its memory");
}
BENCHMARK(OpenFiftyMegabyteScript)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

void OpenOneMegabyteBinaryFile(benchmark::State& state) {
  OpenFile(state, RandomBytes(1 << 20), 1e12);
}
BENCHMARK(OpenOneMegabyteBinaryFile)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// One line of many megabytes: Qt's text layout measures it all at once.
void OpenOneLongLine(benchmark::State& state) {
  std::string line(static_cast<size_t>(state.range(0)) << 20, 'x');
  for (size_t i = 7; i < line.size(); i += 13) line[i] = ' ';
  OpenFile(state, line, 1e12);
}
BENCHMARK(OpenOneLongLine)->Arg(50)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// A line of 100 MB in a shown window: its caption is measured only until
// it is wider than any picture, and the editor lays the line out once. Of
// words and blanks (0), which the highlighter colours in short runs, or of
// one letter throughout (1), which the editor measures a hundred at a time.
void ShowHundredMegabyteLine(benchmark::State& state) {
  std::string line(std::size_t{100} << 20, 'x');
  if (state.range(0) == 0) {
    for (size_t i = 7; i < line.size(); i += 13) line[i] = ' ';
  }
  if (OpenFile(state, line, 1e12, true) == kDrawn) state.SkipWithError("the line was drawn");
}
BENCHMARK(ShowHundredMegabyteLine)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

// 1,000,000 small functions: refused for their number before their
// diagrams are made.
void OpenMillionFunctions(benchmark::State& state) {
  std::string script;
  for (int i = 0; i < 1000000; ++i) script += "function f" + std::to_string(i) + " {\n  echo " + std::to_string(i) + "\n}\n";
  if (OpenFile(state, script, 1e12, true) != kRefusedForMemory)
    state.SkipWithError("the functions were not refused for their memory");
}
BENCHMARK(OpenMillionFunctions)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
