#include "quillon/numbers.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace quillon::vb;

TEST(Numbers, WholeNumberConversionsRoundHalvesToEven) {
  EXPECT_EQ(CInt(0.5), 0);
  EXPECT_EQ(CInt(1.5), 2);
  EXPECT_EQ(CInt(2.5), 2);
  EXPECT_EQ(CInt(-2.5), -2);
  EXPECT_EQ(CInt(-3.5), -4);
  EXPECT_EQ(CLng(800.5), 800);
  EXPECT_EQ(CLng(801.5), 802);
  EXPECT_EQ(CInt(2.4999), 2);
}

TEST(Numbers, OverflowIsReportedNotWrapped) {
  EXPECT_EQ(CInt(32767.4), 32767);
  EXPECT_FALSE(CInt(32767.5));  // rounds to 32768
  EXPECT_EQ(CInt(-32768.5), -32768);
  EXPECT_FALSE(CInt(-32769));
  EXPECT_FALSE(CLng(2147483648.0));
  EXPECT_FALSE(CInt(std::numeric_limits<double>::quiet_NaN()));
}

TEST(Numbers, IntFloorsFixTruncates) {
  EXPECT_EQ(Int(-0.5), -1);
  EXPECT_EQ(Int(3.99), 3);
  EXPECT_EQ(Fix(-0.5), 0);
}

TEST(Numbers, IntegerDivisionRoundsOperandsThenTruncates) {
  EXPECT_EQ(IDiv(7, 2), 3);
  EXPECT_EQ(IDiv(-7, 2), -3);
  EXPECT_EQ(IDiv(6.5, 2), 3);     // 6.5 -> 6
  EXPECT_EQ(IDiv(7.5, 2), 4);     // 7.5 -> 8
  EXPECT_EQ(IDiv(100, 2.5), 50);  // 2.5 -> 2
  EXPECT_EQ(IDiv(-80, 32), -2);
  EXPECT_FALSE(IDiv(1, 0.4));  // 0.4 -> 0
}

TEST(Numbers, ParsesNumberTextWithDotInAnyLocale) {
  std::setlocale(LC_ALL, "de_DE.UTF-8");  // may not exist; the rule must hold either way
  EXPECT_EQ(ParseNumber("1.5"), 1.5);
  EXPECT_EQ(ParseNumber("  -12.25 "), -12.25);
  EXPECT_EQ(ParseNumber("+3"), 3);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  EXPECT_EQ(ParseNumber("1e3"), 1000);
  EXPECT_EQ(ParseNumber("&H1F"), 31);
  EXPECT_EQ(ParseNumber("&o17"), 15);
  for (const char* bad : {"", " ", "1,5", "abc", "1.5x", "nan", "inf", "--1", "+-1", "&H", "&Z1"})
    EXPECT_FALSE(ParseNumber(bad)) << bad;
  std::setlocale(LC_ALL, "C");
}

TEST(Numbers, TypedParsesRoundAndCheckRange) {
  EXPECT_EQ(ParseInteger("2.5"), 2);
  EXPECT_EQ(ParseInteger("3.5"), 4);
  EXPECT_FALSE(ParseInteger("40000"));
  EXPECT_EQ(ParseLong("40000"), 40000);
  EXPECT_EQ(ParseSingle("0.1"), 0.1f);
  EXPECT_FALSE(ParseSingle("1e39"));
}

TEST(Numbers, BooleansAreWordsOrNumbers) {
  EXPECT_EQ(ParseBool("True"), true);
  EXPECT_EQ(ParseBool("fALSE"), false);
  EXPECT_EQ(ParseBool(" true "), true);
  EXPECT_EQ(ParseBool("0"), false);
  EXPECT_EQ(ParseBool("-1"), true);
  EXPECT_EQ(ParseBool("0.0"), false);
  EXPECT_FALSE(ParseBool(""));
  EXPECT_FALSE(ParseBool("yes"));
}

TEST(Numbers, FormatsLikeTheSystemWritesNumbers) {
  EXPECT_EQ(FormatSingle(1.5f), "1.5");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");  // seven digits hide the float's error
  EXPECT_EQ(FormatSingle(1234567.f), "1234567");
  EXPECT_EQ(FormatSingle(1e7f), "1E+07");
  EXPECT_EQ(FormatSingle(0.0001f), "0.0001");
  EXPECT_EQ(FormatSingle(0.00001f), "1E-05");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatDouble(0.1), "0.1");
  EXPECT_EQ(FormatDouble(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(FormatLong(-42), "-42");
  EXPECT_EQ(FormatBool(true), "True");
}
