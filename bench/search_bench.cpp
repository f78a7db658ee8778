// Searching the editor's text: a find on one long line of 10 KB, 100 KB and
// 1 MB, with the plain and the regular-expression engine, and replacing
// every match of a 10 MB script. A search's time per byte should not grow
// with the length of the line it searches.
#include <benchmark/benchmark.h>

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <cstdlib>
#include <string>

#include "app/editor/editor_bytes.h"
#include "app/editor/editor_search.h"
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

// One search on a line of state.range(0) bytes: forwards from its start, or
// backwards from its end.
void Find(benchmark::State& state, TextSearchEngine& engine, const QString& text,
          bool backwards) {
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
}

// A search that has to look at the whole line; its time per byte should be
// the same for every length.
void FindAcrossTheLine(benchmark::State& state, TextSearchEngine& engine, const QString& text,
                       bool backwards) {
  Find(state, engine, text, backwards);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// The only match at the end of the line.
void FindLastPlain(benchmark::State& state) {
  PlainTextSearch engine;
  FindAcrossTheLine(state, engine, "ende", false);
}
void FindLastRegex(benchmark::State& state) {
  RegexTextSearch engine;
  FindAcrossTheLine(state, engine, "en+de", false);
}

// Backwards from the end of the line, past the one match at the end: the
// last of many matches before the caret, which takes a walk over the line.
void FindBackwardsPlain(benchmark::State& state) {
  PlainTextSearch engine;
  FindAcrossTheLine(state, engine, "a", true);
}
void FindBackwardsRegex(benchmark::State& state) {
  RegexTextSearch engine;
  FindAcrossTheLine(state, engine, "a", true);
}

// F3 where the next of many matches follows the caret at once. Only taking
// the line out of the editor grows with its length (about 0.1 nanoseconds
// per byte, memory-bound once the line leaves the cache).
void FindNextPlain(benchmark::State& state) {
  PlainTextSearch engine;
  Find(state, engine, "a", false);
}
void FindNextRegex(benchmark::State& state) {
  RegexTextSearch engine;
  Find(state, engine, "a", false);
}

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

BENCHMARK(FindLastPlain)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindLastRegex)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindBackwardsPlain)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindBackwardsRegex)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindNextPlain)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindNextRegex)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// Every match of the text replaced as one undo step.
void ReplaceAll(benchmark::State& state, const std::string& script, TextSearchEngine& engine,
                const QString& text, const QString& replacement) {
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

void ReplaceAllPlain(benchmark::State& state) {
  PlainTextSearch engine;
  ReplaceAll(state, Script(state.range(0)), engine, "wert_", "neuer_wert_");
}
void ReplaceAllRegex(benchmark::State& state) {
  RegexTextSearch engine;
  ReplaceAll(state, Script(state.range(0)), engine, "(\\w+)=(\\d+)", "$2=$1");
}
// A match in every few bytes of one long line. Most of the time is the
// editor laying the changed line out again to put the caret on it.
void ReplaceAllOnOneLine(benchmark::State& state) {
  RegexTextSearch engine;
  ReplaceAll(state, LongLine(state.range(0)), engine, "\\$(a)", "${1}1");
}

BENCHMARK(ReplaceAllPlain)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllRegex)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllOnOneLine)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kova

// The editor is a widget, and widgets need an application object.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  QsciScintilla editor;
  editor.setUtf8(false);
  kova::editor = &editor;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
