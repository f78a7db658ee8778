#ifndef KOVA_TESTS_TRANSLATE_TRANSLATION_FIXTURE_H_
#define KOVA_TESTS_TRANSLATE_TRANSLATION_FIXTURE_H_

// Runs the translator on a few lines and writes the resulting trees as
// indented text, one element a line, so that tests can compare whole trees:
//   data
//     auswahl "if a"
//       fall "ja"
// An "elif-counter" follows the caption as " #2"; the function header
// marker is written as "\0".

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "translate/dom.h"
#include "translate/translator.h"

namespace kova {

struct ReportedError {
  int line_index;
  std::string line_text;
  std::string message;
};

class TranslationTest : public ::testing::Test {
 protected:
  // Translates and returns the main tree as text.
  std::string Translate(const std::vector<std::string>& lines, bool take_comments = false);

  // The tree of function `index` of the last translation as text.
  std::string Function(size_t index) const;

  static std::string Dump(const TDomDocument& document);

  TDomImplementation factory_;
  TFunktionen functions_;
  std::vector<ReportedError> errors_;
};

}  // namespace kova

#endif  // KOVA_TESTS_TRANSLATE_TRANSLATION_FIXTURE_H_
