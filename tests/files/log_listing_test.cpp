#include "app/report_window.h"
#include "files/log_listing.h"

#include <gtest/gtest.h>

#include <limits>

#include "files_fixture.h"
#include "output/output_window.h"

namespace {

using Lines = std::vector<std::string>;

class LogListingTest : public FilesTest {
 protected:
  // Runs ShowLogFile and returns the lines of the window it showed.
  Lines Shown() {
    Platform().ClearEvents();
    ShowLogFile();
    EXPECT_EQ(Events().size(), 1u);
    if (Events().empty()) return {};
    const PlatformEvent& e = Events().back();
    EXPECT_EQ(e.kind, PlatformEvent::OutputWindow);
    EXPECT_EQ(e.caption, "Log File");
    EXPECT_EQ(e.width, 400);
    EXPECT_EQ(e.height, 200);
    EXPECT_FALSE(Output.open);
    return e.lines;
  }
};

TEST_F(LogListingTest, EmptyTablesGiveAnEmptyWindow) { EXPECT_EQ(Shown(), Lines{}); }

TEST_F(LogListingTest, ClosedSquareLinesUpUnderTheColumnNames) {
  AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  const Lines lines = Shown();
  const Lines expected = {
      "Section 1 (polygon, Wt = 1.000)",
      "Node    x           y           r",
      "  1      .000        .000        .000",
      "  2    10.000        .000        .000",
      "  3    10.000      10.000        .000",
      "  4      .000      10.000        .000",
  };
  EXPECT_EQ(lines, expected);
  // The values end in columns 12, 24 and 36, under the column letters at 8, 20, 32.
  const std::string& node2 = lines[3];
  EXPECT_EQ(node2.substr(0, 3), "  2");
  EXPECT_EQ(node2.substr(6, 7), " 10.000");
  EXPECT_EQ(node2.size(), 37u);
  EXPECT_EQ(node2[12], '0');
  EXPECT_EQ(node2[24], '0');
  EXPECT_EQ(lines[1][8], 'x');
  EXPECT_EQ(lines[1][20], 'y');
  EXPECT_EQ(lines[1][32], 'r');
}

TEST_F(LogListingTest, EveryKindWithDeletedOffAndOpenSections) {
  AddPolygon({{-1.5f, 1234.5f}, {0, 0}, {1, 0}});
  Table.params[1].c[3] = 0.25f;
  int deleted = AddSingle(SectionKind::Circle, {0, 1, 1, 1});
  Table.sections[deleted].flags |= Deleted;
  int off = AddSingle(SectionKind::Circle, {0, 0, 0, 5});
  Table.sections[off].flags |= Off;
  Table.sections[off].weight = -1.0f;
  AddSingle(SectionKind::ArcSegment, {1, 0, 0, 5, 10, 80, 1});
  AddSingle(SectionKind::MergeData, {0, 2, 3, 4, 5, 6, 7});
  AddSingle(SectionKind::RadialBlock, {0, 0, 0, 5, 30, 2, 1});
  AddPolygon({{0, 0}, {10, 0}}, true);
  const Lines expected = {
      "Section 1 (polygon, Wt = 1.000)",
      "Node    x           y           r",
      "  1    -1.500     1234.500       .250",
      "  2      .000        .000        .000",
      "  3     1.000        .000        .000",
      "",
      "Section 3 (circle, off state, Wt = -1.000)",
      "Node    x           y           r",
      "  5      .000        .000       5.000",
      "",
      "Section 4 (arc segment, Wt = 1.000)",
      "Node    x           y           r",
      "        a1          a2          t",
      "  6      .000        .000       5.000",
      "       10.000      80.000       1.000",
      "",
      "Section 5 (merge data, Wt = 1.000)",
      "Node    xc          yc          A",
      "        Ixx         Iyy         Ixy",
      "  7     2.000       3.000       4.000",
      "        5.000       6.000       7.000",
      "",
      "Section 6 (radial block, Wt = 1.000)",
      "Node    x           y           r",
      "        angl        w           t",
      "  8      .000        .000       5.000",
      "       30.000       2.000       1.000",
      "",
      "Section 7 (polygon)",
      "Node    x           y           r",
      "  9      .000        .000        .000",
      " 10    10.000        .000        .000",
  };
  EXPECT_EQ(Shown(), expected);
}

TEST_F(LogListingTest, ADeletedFirstSectionStillLeavesTheEmptyLine) {
  int first = AddSingle(SectionKind::Circle, {0, 0, 0, 1});
  Table.sections[first].flags |= Deleted;
  AddSingle(SectionKind::Circle, {0, 0, 0, 2});
  const Lines lines = Shown();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Section 2 (circle, Wt = 1.000)");
}

TEST_F(LogListingTest, PhantomPointsComeOldestFirst) {
  AddSingle(SectionKind::Circle, {0, 0, 0, 1});
  Table.nodes[250] = {7, -8};
  Table.nodes[249] = {1, 2};
  Table.lowestPhantom = 249;
  const Lines lines = Shown();
  const Lines tail(lines.end() - 4, lines.end());
  const Lines expected = {"", "Phantom Points", "250     7.000      -8.000        .000",
                          "249     1.000       2.000        .000"};
  EXPECT_EQ(tail, expected);
}

TEST_F(LogListingTest, ZeroDecimalsGiveThreeCharacterFields) {
  Shared.SigDigits = 0;
  AddSingle(SectionKind::MergeData, {0, 2, 3, 4, 5, 6, 7});
  const Lines expected = {
      "Section 1 (merge data, Wt = 1)",
      "Node    xc          yc          A",
      "        Ixx         Iyy         Ixy",
      "  1     2     3     4",
      "        5     6     7",
  };
  EXPECT_EQ(Shown(), expected);
}

TEST_F(LogListingTest, ValuesThatAreNotNumbersAreNamed) {
  const float inf = std::numeric_limits<float>::infinity();
  AddSingle(SectionKind::Circle, {0, -inf, std::numeric_limits<float>::quiet_NaN(), 1});
  const Lines lines = Shown();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], "  1   -infinite   undefined     1.000");
}

TEST_F(LogListingTest, AnOpenWindowIsClosedBeforeTheListing) {
  AppendOutputLine(" Centroidal Axes");
  ShowOutputWindow(250, 300, "Kelvarin");
  Output.open = true;  // a window the user still looks at
  Output.lines = {" Centroidal Axes"};
  AddSingle(SectionKind::Circle, {0, 0, 0, 1});
  const Lines lines = Shown();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "Section 1 (circle, Wt = 1.000)");
}

TEST(ExpandTabs, FillsToTheNextMultipleOfSix) {
  EXPECT_EQ(ExpandTabs("\t"), "      ");
  EXPECT_EQ(ExpandTabs("ab\tc"), "ab    c");
  EXPECT_EQ(ExpandTabs("abcdef\tg"), "abcdef      g");
  EXPECT_EQ(ExpandTabs("abcdefg\t\th"), "abcdefg           h");
}

}  // namespace
