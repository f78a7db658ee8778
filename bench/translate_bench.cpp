// Translation speed on generated scripts: long flat ones and deeply nested
// ones. Each iteration builds the documents and frees them, as a run does,
// and the two stages are timed apart (the CPU column counts both). Freeing
// Qt's DOM node by node takes from a third of the whole for short scripts to
// nearly half for 100,000 lines, where both stages slow down per line as the
// tree outgrows the caches. The time per line must not grow with the
// script's length or depth.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "translate/dom.h"
#include "translate/translator.h"

namespace {

// A realistic mix, repeated: comments, statements, if/elif/else/fi, a case
// with branches, head- and foot-controlled loops and a function.
const std::vector<std::string> kBlock = {
    "#!/bin/bash",
    "# Sichert die Dateien",
    "function sichern {",
    "  local ziel=$1",
    "  for datei in *.txt; do",
    "    if [ -f \"$datei\" ]; then",
    "      cp \"$datei\" \"$ziel\"",
    "    elif [ -d \"$datei\" ]; then",
    "      echo \"Verzeichnis $datei\"",
    "    else",
    "      echo \"unbekannt\"",
    "    fi",
    "  done",
    "}",
    "anzahl=0",
    "case \"$1\" in",
    "  start)",
    "    echo \"Start\"",
    "    ;;",
    "  stop)",
    "    exit 0",
    "    ;;",
    "  *)",
    "    echo \"Aufruf: $0 start|stop\"",
    "    ;;",
    "esac",
    "while [ $anzahl -lt 10 ]; do",
    "  anzahl=$((anzahl + 1))",
    "  if [ $anzahl -eq 5 ]; then",
    "    break",
    "  fi",
    "done",
    "schleife",
    "  aufruf sichern /tmp",
    "wiederhole bis fertig",
    "",
    "echo \"Fertig\"",
};

std::vector<std::string> FlatScript(size_t line_count) {
  std::vector<std::string> lines;
  lines.reserve(line_count);
  while (lines.size() < line_count) lines.push_back(kBlock[lines.size() % kBlock.size()]);
  return lines;
}

// Loops and ifs inside one another, `depth` levels deep, with a statement at
// the bottom: 2 * depth + 1 lines.
std::vector<std::string> NestedScript(size_t depth) {
  std::vector<std::string> lines;
  for (size_t level = 0; level < depth; ++level) {
    lines.push_back(level % 2 == 0 ? "if [ -f datei_" + std::to_string(level) + " ]; then"
                                   : "while read zeile; do");
  }
  lines.push_back("echo \"ganz innen\"");
  for (size_t level = depth; level-- > 0;) lines.push_back(level % 2 == 0 ? "fi" : "done");
  return lines;
}

enum class Stage { kBuild, kFree };

// Times one stage of translating the script and freeing its documents.
void Translate(benchmark::State& state, std::vector<std::string> (*script)(size_t), Stage stage) {
  using Clock = std::chrono::steady_clock;
  const std::vector<std::string> lines = script(static_cast<size_t>(state.range(0)));
  kova::TDomImplementation factory;
  const kova::Translator translator(factory, true, kova::ErrorReport());
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    kova::TFunktionen functions;
    kova::TDomDocument* main_document = translator.BuildDiagramTree(lines, functions);
    benchmark::DoNotOptimize(main_document);
    const Clock::time_point built = Clock::now();
    factory.FreeDocument(main_document);
    for (kova::TDomDocument* function : functions) factory.FreeDocument(function);
    const Clock::time_point freed = Clock::now();
    state.SetIterationTime(
        std::chrono::duration<double>(stage == Stage::kBuild ? built - start : freed - built)
            .count());
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(lines.size()));
}

void BM_Build(benchmark::State& state, std::vector<std::string> (*script)(size_t)) {
  Translate(state, script, Stage::kBuild);
}

void BM_Free(benchmark::State& state, std::vector<std::string> (*script)(size_t)) {
  Translate(state, script, Stage::kFree);
}

// Lines of a flat script, levels of a nested one.
void Lengths(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
}
void Depths(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_Build, flat, &FlatScript)->Apply(Lengths);
BENCHMARK_CAPTURE(BM_Free, flat, &FlatScript)->Apply(Lengths);
BENCHMARK_CAPTURE(BM_Build, nested, &NestedScript)->Apply(Depths);
BENCHMARK_CAPTURE(BM_Free, nested, &NestedScript)->Apply(Depths);

}  // namespace

BENCHMARK_MAIN();
