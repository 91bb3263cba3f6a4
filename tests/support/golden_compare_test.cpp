// The comparison of scenario output with its expected text.
#include "support/golden_compare.h"

#include <gtest/gtest.h>

namespace {

const std::string Props =
    "> props\n"
    "{\"A\": 100, \"xBar\": 5.0000000000000009, \"Ixx\": 833.33333333333303, "
    "\"Ixy\": -4.5474735088646412e-13, \"angle\": 0}\n"
    "exit 0\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(GoldenCompareTest, AcceptsDifferencesInTheLastDigits) {
  EXPECT_TRUE(CompareGolden(Props, Props).empty());
  // One unit in the last place, and a rounding residue that another compiler
  // computes as zero: both far below 1e-12 of 833 on that line.
  std::string other = Replace(Props, "5.0000000000000009", "5.0000000000000018");
  other = Replace(other, "-4.5474735088646412e-13", "0");
  other = Replace(other, "833.33333333333303", "833.33333333333348");
  EXPECT_TRUE(CompareGolden(Props, other).empty()) << FormatGoldenDifferences(CompareGolden(Props, other));
}

TEST(GoldenCompareTest, RejectsRealDifferences) {
  // A change in the ninth digit of the largest value.
  auto d = CompareGolden(Props, Replace(Props, "833.33333333333303", "833.33333433333303"));
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].line, 2);
  // The scale is the line's: a small number on a line of its own keeps its digits.
  EXPECT_EQ(CompareGolden("Ixy 1.0000000000000e-9\n", "Ixy 1.0000000001e-9\n").size(), 1u);
  // Texts compare exactly, also next to numbers and where a number turns into text.
  EXPECT_EQ(CompareGolden(Props, Replace(Props, "\"Ixx\"", "\"Iyy\"")).size(), 1u);
  EXPECT_EQ(CompareGolden(Props, Replace(Props, "\"angle\": 0", "\"angle\": null")).size(), 1u);
  EXPECT_EQ(CompareGolden(Props, Replace(Props, "exit 0", "exit 2")).size(), 1u);
  EXPECT_EQ(CompareGolden("item 3\n", "item 3 \n").size(), 1u);
  // A missing or extra line.
  d = CompareGolden(Props, Props + "beep 0\n");
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].why, "extra line");
  EXPECT_EQ(FormatGoldenDifferences(d), "line 4: extra line\n+ beep 0\n");
  EXPECT_EQ(CompareGolden(Props, Replace(Props, "exit 0\n", "")).size(), 1u);
}

}  // namespace
