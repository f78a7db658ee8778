// Keyword matching and the key-list texts.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "translate/keys.h"

namespace kova {
namespace {

std::array<KeyGroup, 16> AllGroups() {
  const TKeys& k = KeyTable;
  return {k.IfKeys,     k.ElifKeys,  k.ElseKeys,    k.FiKeys,    k.CaseKeys,     k.EsacKeys,
          k.WhileKeys,  k.DoneKeys,  k.RepeatKeys,  k.UntilKeys, k.CaseEndKeys,  k.BreakKeys,
          k.ExitKeys,   k.CallKeys,  k.FunctionKeys, k.FunctionEndKeys};
}

TEST(MatchesKeyTest, KeywordAloneOrFollowedByABlank) {
  for (const char* line : {"fi", "FI", "Fi", "fi # Ende", "fi   x"})
    EXPECT_TRUE(MatchesKey(KeyTable.FiKeys, line)) << line;
  for (const char* line : {"fi;", "fix", "fi\t# Ende", "", "f", " fi"})
    EXPECT_FALSE(MatchesKey(KeyTable.FiKeys, line)) << line;
  EXPECT_TRUE(MatchesKey(KeyTable.IfKeys, "if [ -f x ]; then"));
  EXPECT_FALSE(MatchesKey(KeyTable.IfKeys, "if[ -f x ]"));
  EXPECT_FALSE(MatchesKey(KeyTable.IfKeys, "if\tx"));
}

TEST(MatchesKeyTest, OnlyAsciiLettersAreLowered) {
  EXPECT_TRUE(MatchesKey(KeyTable.WhileKeys, "F\xFCr i in 1 2 3"));
  EXPECT_FALSE(MatchesKey(KeyTable.WhileKeys, "F\xDCR i in 1 2 3"));
  EXPECT_TRUE(MatchesKey(KeyTable.DoneKeys, "ENDE F\xFCR"));
  EXPECT_TRUE(MatchesKey(KeyTable.RepeatKeys, "Fussgesteuerte Schleife"));
}

TEST(MatchesKeyTest, WordsOfAKeywordNeedExactlyOneBlank) {
  EXPECT_TRUE(MatchesKey(KeyTable.UntilKeys, "wiederhole bis x"));
  EXPECT_FALSE(MatchesKey(KeyTable.UntilKeys, "wiederhole  bis x"));
  EXPECT_FALSE(MatchesKey(KeyTable.UntilKeys, "wiederhole\tbis x"));
}

TEST(MatchesKeyTest, OverlappingGroups) {
  EXPECT_TRUE(MatchesKey(KeyTable.ElifKeys, "sonst wenn x"));
  EXPECT_TRUE(MatchesKey(KeyTable.ElseKeys, "sonst wenn x"));
  EXPECT_TRUE(MatchesKey(KeyTable.FunctionKeys, "funktion ende"));
  EXPECT_TRUE(MatchesKey(KeyTable.FunctionEndKeys, "funktion ende"));
}

TEST(MatchesKeyTest, PunctuationKeywords) {
  for (const char* line : {"}", "} # Ende"}) EXPECT_TRUE(MatchesKey(KeyTable.FunctionEndKeys, line));
  for (const char* line : {"};", "}}"}) EXPECT_FALSE(MatchesKey(KeyTable.FunctionEndKeys, line));
  for (const char* line : {";;", ";; # x"}) EXPECT_TRUE(MatchesKey(KeyTable.CaseEndKeys, line));
  EXPECT_FALSE(MatchesKey(KeyTable.CaseEndKeys, "a) echo x;;"));
}

TEST(MatchesKeyTest, ShellWordsThatAreNoKeywords) {
  for (const char* line : {"then", "do", "in", "", "f() {", "echo if"})
    for (const KeyGroup group : AllGroups()) EXPECT_FALSE(MatchesKey(group, line)) << line;
}

TEST(KeyTableTest, HoldsThirtyEightLowerCaseKeywords) {
  size_t count = 0;
  for (const KeyGroup group : AllGroups()) {
    for (const std::string_view key : group) {
      EXPECT_FALSE(key.empty());
      EXPECT_TRUE(MatchesKey(group, key)) << key;  // lower case throughout
      ++count;
    }
  }
  EXPECT_EQ(count, 38u);
}

TEST(FormatKeyListTest, BracketsAndCommas) {
  EXPECT_EQ(FormatKeyList(KeyTable.IfKeys), "[if, wenn]");
  EXPECT_EQ(FormatKeyList(KeyTable.UntilKeys), "[wiederhole bis]");
  EXPECT_EQ(FormatKeyList(KeyTable.WhileKeys), "[while, for, until, solange, f\xFCr]");
  EXPECT_EQ(FormatKeyList(KeyTable.FunctionKeys), "[function, funktion]");
}

}  // namespace
}  // namespace kova
