// Searching the editor's text: a find on one long line of 10 KB, 100 KB and
// 1 MB, with the plain and the regular-expression engine, an expression that
// backtracks without end, and replacing every match of a 10 MB script. A
// search's time per byte should not grow with the length of the line it
// searches.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "app/editor/editor_bytes.h"
#include "app/editor/editor_search.h"
#include "app/editor/script_editor.h"
#include "app/editor/text_search_engine.h"

namespace kova {
namespace {

QsciScintilla* editor = nullptr;

// A line of `bytes` bytes that holds a statement again and again, so that
// "a" matches in every few bytes and "ende" only in the last four.
std::string LongLine(int64_t bytes) {
  const std::string statement = "echo $a; ";
  std::string line;
  line.reserve(static_cast<size_t>(bytes));
  while (static_cast<int64_t>(line.size()) < bytes - 4) line += statement;
  line.resize(static_cast<size_t>(bytes - 4));
  return line + "ende";
}

// A script of about `bytes` bytes in lines of some 40 bytes, each with one
// assignment that the replacements below rewrite.
std::string Script(int64_t bytes) {
  std::string script;
  script.reserve(static_cast<size_t>(bytes) + 64);
  for (int n = 0; static_cast<int64_t>(script.size()) < bytes; ++n)
    script += "  wert_" + std::to_string(n % 1000) + "=" + std::to_string(n) +
              "   # Zeile " + std::to_string(n) + "\n";
  return script;
}

void Load(const std::string& text) {
  LoadEditorBytes(*editor, text);
  editor->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
}

enum Engine { kPlain, kRegex };

struct Engines {
  TextSearchEngine& Of(Engine kind) {
    return kind == kPlain ? static_cast<TextSearchEngine&>(plain) : regex;
  }
  PlainTextSearch plain;
  RegexTextSearch regex;
};

void LineLengths(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
}

// One search on a line of state.range(0) bytes: forwards from its start, or
// backwards from its end. A search across the line counts its bytes, as its
// time per byte should be the same for every length.
void Find(benchmark::State& state, Engine kind, const char* text, bool backwards,
          bool acrossTheLine) {
  Engines engines;
  TextSearchEngine& engine = engines.Of(kind);
  const std::string line = LongLine(state.range(0));
  Load(line);
  const long caret = backwards ? static_cast<long>(line.size()) : 0;
  // Selecting on a line lays the line out once, the editor's work and not the
  // search's (some 0.3 microseconds per byte); it is done before timing.
  editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, 0UL, static_cast<long>(line.size()));
  for (auto _ : state) {
    editor->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(caret));
    const int found = SearchReplace(*editor, engine, text, QString(), {.backwards = backwards});
    if (found != 1) state.SkipWithError("nothing found");
  }
  if (acrossTheLine) state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The only match at the end of the line.
BENCHMARK_CAPTURE(Find, LastPlain, kPlain, "ende", false, true)->Apply(LineLengths);
BENCHMARK_CAPTURE(Find, LastRegex, kRegex, "en+de", false, true)->Apply(LineLengths);
// Backwards from the end of the line, past the one match at the end: the
// last of many matches before the caret, which takes a walk over the line.
BENCHMARK_CAPTURE(Find, BackwardsPlain, kPlain, "a", true, true)->Apply(LineLengths);
BENCHMARK_CAPTURE(Find, BackwardsRegex, kRegex, "a", true, true)->Apply(LineLengths);
// F3 where the next of many matches follows the caret at once. Only taking
// the line out of the editor grows with its length (about 0.1 nanoseconds
// per byte, memory-bound once the line leaves the cache).
BENCHMARK_CAPTURE(Find, NextPlain, kPlain, "a", false, false)->Apply(LineLengths);
BENCHMARK_CAPTURE(Find, NextRegex, kRegex, "a", false, false)->Apply(LineLengths);

// Nested repeats over 200 lines that they do not match: each line would take
// 2^31 steps; the search ends at the engine's limit on the first line.
void FindBacktrackingExpression(benchmark::State& state) {
  std::string lines;
  for (int i = 0; i < 200; ++i) lines += std::string(30, 'a') + "b\n";
  Load(lines);
  RegexTextSearch engine;
  for (auto _ : state) {
    try {
      SearchReplace(*editor, engine, "^(a+)+$", QString(), {.entireScope = true});
      state.SkipWithError("not stopped");
    } catch (const ExpressionTooComplex&) {
    }
  }
}
BENCHMARK(FindBacktrackingExpression)->Unit(benchmark::kMillisecond);

// Every match of a text of state.range(0) bytes replaced as one undo step.
void ReplaceAll(benchmark::State& state, Engine kind, std::string (*makeText)(int64_t),
                const char* text, const char* replacement) {
  Engines engines;
  TextSearchEngine& engine = engines.Of(kind);
  const std::string script = makeText(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    Load(script);
    state.ResumeTiming();
    const int replaced = SearchReplace(*editor, engine, text, replacement,
                                       {.replaceAll = true, .entireScope = true});
    if (replaced == 0) state.SkipWithError("nothing replaced");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(script.size()));
}

BENCHMARK_CAPTURE(ReplaceAll, ScriptPlain, kPlain, Script, "wert_", "neuer_wert_")
    ->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReplaceAll, ScriptRegex, kRegex, Script, "(\\w+)=(\\d+)", "$2=$1")
    ->Arg(10'000'000)->Unit(benchmark::kMillisecond);
// A match in every few bytes of one long line. Most of the time is the
// editor laying the changed line out again to put the caret on it.
BENCHMARK_CAPTURE(ReplaceAll, OneLineRegex, kRegex, LongLine, "\\$(a)", "${1}1")
    ->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kova

// The editor is a widget, and widgets need an application object.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  kova::ScriptEditor editor;
  editor.Configure();
  kova::editor = &editor;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
