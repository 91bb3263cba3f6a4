// The output window's scroll and paint arithmetic.
#include <gtest/gtest.h>

#include "output/output_window.h"

namespace {

class OutputViewTest : public ::testing::Test {
 protected:
  void SetUp() override { Output = OutputStore{}; }
  void TearDown() override { Output = OutputStore{}; }
  void Lines(int n, const std::string& text = "line") {
    for (int i = 1; i <= n; ++i) AppendOutputLine(text + std::to_string(i));
  }
};

TEST_F(OutputViewTest, TwentyFiveLinesInTwentyRows) {
  OutputScrollBar bar = OutputScrollBarFor(25, 20, 1);
  EXPECT_TRUE(bar.shown);
  EXPECT_EQ(bar.page, 3);
  EXPECT_EQ(bar.minimum, 1);
  EXPECT_EQ(bar.maximum, 8);
  int p = ScrollOutput(25, 20, 1, ScrollRequest::PageForward);
  EXPECT_EQ(p, 4);
  p = ScrollOutput(25, 20, p, ScrollRequest::PageForward);
  EXPECT_EQ(p, 6);
  EXPECT_EQ(ScrollOutput(25, 20, 6, ScrollRequest::LineForward), 6);  // the last position
  EXPECT_EQ(ScrollOutput(25, 20, 5, ScrollRequest::LineForward), 6);
  EXPECT_EQ(ScrollOutput(25, 20, 1, ScrollRequest::LineBack), 1);
  EXPECT_EQ(ScrollOutput(25, 20, 2, ScrollRequest::PageBack), 1);
  EXPECT_EQ(ScrollOutput(25, 20, 6, ScrollRequest::PageBack), 3);
  EXPECT_EQ(ScrollOutput(25, 20, 3, ScrollRequest::Thumb, 0), 1);
  EXPECT_EQ(ScrollOutput(25, 20, 3, ScrollRequest::Thumb, 5), 5);
  EXPECT_EQ(ScrollOutput(25, 20, 3, ScrollRequest::Thumb, 8), 6);
}

TEST_F(OutputViewTest, PageGrowsWithTheHiddenPartAndFittingTextIgnoresScrolling) {
  EXPECT_EQ(OutputScrollBarFor(100, 20, 1).page, 8);
  EXPECT_EQ(OutputScrollBarFor(100, 20, 1).maximum, 88);
  EXPECT_FALSE(OutputScrollBarFor(20, 20, 1).shown);
  EXPECT_EQ(ScrollOutput(13, 20, 1, ScrollRequest::PageForward), 1);
  EXPECT_EQ(ScrollOutput(13, 20, 1, ScrollRequest::Thumb, 4), 1);
}

TEST_F(OutputViewTest, ResizeAndPaint) {
  Lines(25);
  AppendOutputLine(std::string(200, 'x'));
  OutputView view = OpenOutputView(8, 16);
  EXPECT_EQ(view.maxLen, 200);
  ResizeOutputView(view, 8 * 12, 16 * 20 + 7);
  EXPECT_EQ(view.visibleCols, 10);
  EXPECT_EQ(view.visibleRows, 20);
  ScrollOutputVertically(view, ScrollRequest::PageForward);
  ScrollOutputHorizontally(view, ScrollRequest::LineForward);
  EXPECT_EQ(view.topLine, 4);
  EXPECT_EQ(view.leftCol, 2);
  std::vector<OutputPaintLine> painted = OutputLinesToPaint(view);
  ASSERT_EQ(painted.size(), 20u);
  EXPECT_EQ(painted[0].text, "ine4");
  EXPECT_EQ(painted[0].x, 8);
  EXPECT_EQ(painted[1].y, 16);

  // Wider than the text: the columns go back to the start; a wide window still
  // shows at most 127 characters of a line.
  ResizeOutputView(view, 8 * 300, 16 * 40);
  EXPECT_EQ(view.leftCol, 1);
  EXPECT_EQ(view.topLine, 1);
  painted = OutputLinesToPaint(view);
  ASSERT_EQ(painted.size(), 26u);
  EXPECT_EQ(painted.back().text.size(), 127u);
}

}  // namespace
