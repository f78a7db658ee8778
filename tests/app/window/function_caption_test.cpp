// Tab captions from the header lines of function diagrams.
#include <gtest/gtest.h>

#include <string>

#include "app/window/main_form.h"

namespace {

std::string Header(const std::string& line) { return std::string(1, '\0') + line; }

}  // namespace

TEST(StripFunctionCaption, DropsKeywordAndOneBraceButNoBlanks) {
  EXPECT_EQ(StripFunctionCaption(Header("function demo {")), " demo ");
  EXPECT_EQ(StripFunctionCaption(Header("function demo{")), " demo");
  EXPECT_EQ(StripFunctionCaption(Header("funktion rechne")), " rechne");
  EXPECT_EQ(StripFunctionCaption(Header("function demo {{")), " demo {");
}

TEST(StripFunctionCaption, KeywordCountsOnlyInExactCase) {
  EXPECT_EQ(StripFunctionCaption(Header("Function Demo")), "Function Demo");
  EXPECT_EQ(StripFunctionCaption(Header("FUNKTION x {")), "FUNKTION x ");
}

TEST(StripFunctionCaption, KeywordAloneLeavesNothing) {
  EXPECT_EQ(StripFunctionCaption(Header("function")), "");
  EXPECT_EQ(StripFunctionCaption(Header("funktion")), "");
  EXPECT_EQ(StripFunctionCaption(Header("{")), "");
  EXPECT_EQ(StripFunctionCaption(""), "");
}

TEST(StripFunctionCaption, TrimsControlCharactersOnceBeforeTheKeyword) {
  EXPECT_EQ(StripFunctionCaption("\t\r function x { \x01"), " x ");
  // "function" is looked for before "funktion", and only one is removed.
  EXPECT_EQ(StripFunctionCaption(Header("functionfunktion")), "funktion");
  EXPECT_EQ(StripFunctionCaption(Header("funktionen {")), "en ");
}
