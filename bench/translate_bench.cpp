// Translation speed on generated scripts of growing length; the time per
// line must not grow with the script's length. Each iteration translates and
// frees the documents, as a run does. Qt's DOM takes about 2 KB per element,
// so for long scripts the figures include the kernel handing that memory
// back and forth, which short scripts reuse from the heap.
#include <benchmark/benchmark.h>

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

std::vector<std::string> Script(size_t line_count) {
  std::vector<std::string> lines;
  lines.reserve(line_count);
  while (lines.size() < line_count) lines.push_back(kBlock[lines.size() % kBlock.size()]);
  return lines;
}

void BM_Translate(benchmark::State& state) {
  const std::vector<std::string> lines = Script(static_cast<size_t>(state.range(0)));
  kova::TDomImplementation factory;
  const kova::Translator translator(factory, true, kova::ErrorReport());
  for (auto _ : state) {
    kova::TFunktionen functions;
    kova::TDomDocument* main_document = translator.BuildDiagramTree(lines, functions);
    benchmark::DoNotOptimize(main_document);
    factory.FreeDocument(main_document);
    for (kova::TDomDocument* function : functions) factory.FreeDocument(function);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Translate)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
