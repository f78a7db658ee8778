// Feeds arbitrary bytes, split into lines at every CR and LF, to the
// translator and frees what it built.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "translate/dom.h"
#include "translate/translator.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < size; ++i) {
    const char byte = static_cast<char>(data[i]);
    if (byte == '\r' || byte == '\n')
      lines.emplace_back();
    else
      lines.back() += byte;
  }
  // The first byte chooses the comments option, so both ways get covered.
  const bool take_comments = size > 0 && (data[0] & 1) != 0;
  kova::TDomImplementation factory;
  kova::TFunktionen functions;
  int reports = 0;
  kova::Translator translator(factory, take_comments,
                              [&reports](int, const std::string&, const std::string&) { ++reports; });
  kova::TDomDocument* main_document = translator.BuildDiagramTree(lines, functions);
  if (reports > 1) __builtin_trap();  // one error report at most
  factory.FreeDocument(main_document);
  for (kova::TDomDocument* function : functions) factory.FreeDocument(function);
  if (factory.DocumentCount() != 0) __builtin_trap();
  return 0;
}
