// What the number fields accept as an integer.
#include "app/dialogs/str_to_int.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kova {
namespace {

TEST(StrToIntTest, AcceptsBlanksSignsAndHexPrefixes) {
  EXPECT_EQ(42, TryStrToInt(u"  42"));
  EXPECT_EQ(-7, TryStrToInt(u"-7"));
  EXPECT_EQ(7, TryStrToInt(u"+7"));
  EXPECT_EQ(255, TryStrToInt(u"$ff"));
  EXPECT_EQ(255, TryStrToInt(u"xFF"));
  EXPECT_EQ(255, TryStrToInt(u"0XfF"));
  EXPECT_EQ(-16, TryStrToInt(u" -$10"));
  EXPECT_EQ(0, TryStrToInt(u"0"));
}

TEST(StrToIntTest, KeepsToTheSigned32BitRange) {
  EXPECT_EQ(2147483647, TryStrToInt(u"2147483647"));
  EXPECT_EQ(INT32_MIN, TryStrToInt(u"-2147483648"));
  EXPECT_FALSE(TryStrToInt(u"2147483648"));
  EXPECT_FALSE(TryStrToInt(u"-2147483649"));
  EXPECT_FALSE(TryStrToInt(u"99999999999999999999999"));
}

// Hexadecimal digits are the number's 32 bits; only a value beyond 32 bits
// is no number, however many leading zeros come first.
TEST(StrToIntTest, HexadecimalDigitsGiveTheSignedValueOfTheirBits) {
  EXPECT_EQ(2147483647, TryStrToInt(u"$7FFFFFFF"));
  EXPECT_EQ(INT32_MIN, TryStrToInt(u"$80000000"));
  EXPECT_EQ(-1, TryStrToInt(u"$FFFFFFFF"));
  EXPECT_EQ(-1, TryStrToInt(u"0xffffffff"));
  EXPECT_EQ(-2, TryStrToInt(u"XFFFFFFFE"));
  EXPECT_EQ(1, TryStrToInt(u"$000000001"));
  EXPECT_EQ(-1, TryStrToInt(u"$0000000000FFFFFFFF"));
  EXPECT_EQ(1, TryStrToInt(u"-$FFFFFFFF"));
  EXPECT_EQ(INT32_MIN, TryStrToInt(u"-$80000000"));
  EXPECT_FALSE(TryStrToInt(u"$100000000"));
  EXPECT_FALSE(TryStrToInt(u"0x1FFFFFFFF"));
  EXPECT_FALSE(TryStrToInt(u"$FFFFFFFFFFFFFFFFFFFF"));
}

TEST(StrToIntTest, RejectsWhatIsNoNumber) {
  for (const char16_t* text : {u"", u" ", u"-", u"$", u"0x", u"12 ", u"1a",
                               u"abc", u"\t1", u"--1", u"1.5", u"$g"})
    EXPECT_FALSE(TryStrToInt(text)) << QString::fromUtf16(text).toStdString();
}

TEST(StrToIntTest, TheErrorNamesTheText) {
  try {
    StrToInt("abc");
    FAIL();
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ("'abc' ist kein gültiger Integerwert", error.what());
  }
}

}  // namespace
}  // namespace kova
