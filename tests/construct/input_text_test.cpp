#include "construct/input_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(InputText, NumbersAreReadFromTheStartOfTheField) {
  EXPECT_EQ(ReadNumber("3.5abc"), 3.5);
  EXPECT_EQ(ReadNumber("-2"), -2);
  EXPECT_EQ(ReadNumber("+4"), 4);
  EXPECT_EQ(ReadNumber(".5"), 0.5);
  EXPECT_EQ(ReadNumber("5."), 5);
  EXPECT_EQ(ReadNumber("1e3"), 1000);
  EXPECT_EQ(ReadNumber("2e-1x"), 0.2);
  EXPECT_EQ(ReadNumber("1e"), 1);   // an exponent needs digits
  EXPECT_EQ(ReadNumber("1e+"), 1);
  EXPECT_EQ(ReadNumber("x=3"), 0);  // not a number at the start
  EXPECT_EQ(ReadNumber(""), 0);
  EXPECT_EQ(ReadNumber("-"), 0);
  EXPECT_EQ(ReadNumber("."), 0);
  EXPECT_TRUE(std::isinf(ReadNumber("1e999")));
}

TEST(InputText, IntegersRoundToNearestAndClamp) {
  EXPECT_EQ(RoundToInt(2.5), 3);
  EXPECT_EQ(RoundToInt(-2.5), -3);
  EXPECT_EQ(RoundToInt(6.49), 6);
  EXPECT_EQ(RoundToInt(1e300), INT_MAX);
  EXPECT_EQ(RoundToInt(-1e300), INT_MIN);
  EXPECT_EQ(RoundToInt(std::nan("")), 0);
}

TEST(InputText, NumberToTextHasALeadingBlankUnlessNegative) {
  EXPECT_EQ(NumberToText(30), " 30");
  EXPECT_EQ(NumberToText(-2.5), "-2.5");
  EXPECT_EQ(NumberToText(0), " 0");
  EXPECT_EQ(NumberToText(-0.0), " 0");
  EXPECT_EQ(NumberToText(1.0 / 3), " 0.333333333333333");
  EXPECT_EQ(NumberToText(1234567, 7), " 1234567");
}

TEST(InputText, LinesAreCleanedAndSplit) {
  EXPECT_EQ(CleanLine(" 3, 4\tU "), "3,4u");
  EXPECT_EQ(TrimBlanks("   absolute coordinates "), "absolute coordinates");
  EXPECT_EQ(SplitFields("3;4/5", ",;/"), (std::vector<std::string>{"3", "4", "5"}));
  EXPECT_EQ(SplitFields("", ","), (std::vector<std::string>{""}));
  EXPECT_EQ(FieldCount("1,2"), 2);
  EXPECT_EQ(FieldCount(""), 1);
  EXPECT_EQ(FieldNumber("3;4", ",;/", 1), 4);
  EXPECT_EQ(FieldNumber("3", ",;/", 1), 0);  // a missing field reads as 0
  EXPECT_EQ(RemoveChar("5u5u", 'u'), "55");
  EXPECT_TRUE(ContainsAny("5/", StepSeparators));
  EXPECT_FALSE(ContainsAny("#7", StepSeparators));
}
