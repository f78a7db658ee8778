// Structural errors: reported once with the line index from 0, the trimmed
// line and the exact message; the translation stops and keeps what it built.
#include "translate/translation_fixture.h"

namespace kova {
namespace {

using TranslatorErrorTest = TranslationTest;

const char kElifError[] = "Alternative Verzweigung der Auswahl [elif, sonst wenn] ohne Einleitung [if, wenn].";
const char kElseError[] = "Alternative Verzweigung der Auswahl [else, sonst] ohne Einleitung [if, wenn].";
const char kFiError[] = "Ende der Auswahl [fi, ende wenn] ohne Einleitung [if, wenn].";
const char kDoneError[] =
    "Ende der kopfgesteuerten Schleife [done, ende solange, ende f\xFCr, ende schleife] ohne "
    "Einleitung [while, for, until, solange, f\xFCr].";
const char kUntilError[] =
    "Ende der fussgesteurten Schleife [wiederhole bis] ohne Einleitung [schleife, fussgesteuerte "
    "schleife, anfang schleife].";
const char kFunctionError[] = "Einleitung einer Schleife[function, funktion]innerhalb einer Kontrollstruktur.";

struct ErrorCase {
  std::vector<std::string> lines;
  int line_index;
  std::string line_text;
  const char* message;
};

TEST_F(TranslatorErrorTest, EachMisplacedLineReportsItsMessage) {
  const ErrorCase cases[] = {
      {{"elif x"}, 0, "elif x", kElifError},
      {{"if a", "else", "elif b"}, 2, "elif b", kElifError},
      {{"if a", "while x", "sonst wenn b"}, 2, "sonst wenn b", kElifError},
      {{"case x", "1)", "elif b"}, 2, "elif b", kElifError},
      {{"else"}, 0, "else", kElseError},
      {{"if a", "else", "sonst"}, 2, "sonst", kElseError},
      {{"if a", "for i", "else"}, 2, "else", kElseError},
      {{"a", "b", "c", "d", "  fi  "}, 4, "fi", kFiError},
      {{"while x", "ende wenn"}, 1, "ende wenn", kFiError},
      {{"done"}, 0, "done", kDoneError},
      {{"if a", "ende f\xFCr"}, 1, "ende f\xFCr", kDoneError},
      {{"schleife", "done"}, 1, "done", kDoneError},
      {{"wiederhole bis x"}, 0, "wiederhole bis x", kUntilError},
      {{"while a", "wiederhole bis x"}, 1, "wiederhole bis x", kUntilError},
      {{"if a", "function f"}, 1, "function f", kFunctionError},
      {{"while a", "funktion f"}, 1, "funktion f", kFunctionError},
      {{"function f", "function g"}, 1, "function g", kFunctionError},
  };
  for (const ErrorCase& error_case : cases) {
    Translate(error_case.lines);
    ASSERT_EQ(errors_.size(), 1u) << error_case.line_text;
    EXPECT_EQ(errors_[0].line_index, error_case.line_index) << error_case.line_text;
    EXPECT_EQ(errors_[0].line_text, error_case.line_text);
    EXPECT_EQ(errors_[0].message, error_case.message);
  }
}

TEST_F(TranslatorErrorTest, TranslationStopsAtTheErrorAndKeepsWhatWasBuilt) {
  EXPECT_EQ(Translate({"x", "while a", "y", "fi", "z", "done"}),
            "data\n  anweisung \"x\"\n  while \"while a\"\n    anweisung \"y\"\n");
  EXPECT_EQ(errors_.size(), 1u);
}

TEST_F(TranslatorErrorTest, FunctionsMadeBeforeTheErrorStay) {
  EXPECT_EQ(Translate({"function f", "a", "}", "function g", "b", "done", "c"}), "data\n");
  ASSERT_EQ(functions_.size(), 2u);
  EXPECT_EQ(Function(1), "data\n  aufruf \"\\0function g\"\n  anweisung \"b\"\n");
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0].line_index, 5);
}

TEST_F(TranslatorErrorTest, NoReportWithoutAnError) {
  Translate({"function f", "if a", "while b", "case c", "1)", "schleife", "x"});
  EXPECT_TRUE(errors_.empty());
}

TEST_F(TranslatorErrorTest, RunsWithoutAnErrorReport) {
  Translator translator(factory_, false, ErrorReport());
  TFunktionen functions;
  EXPECT_EQ(Dump(*translator.BuildDiagramTree({"a", "fi", "b"}, functions)),
            "data\n  anweisung \"a\"\n");
}

}  // namespace
}  // namespace kova
