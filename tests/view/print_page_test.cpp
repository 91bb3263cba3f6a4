// The printed page through a recording printer canvas: where the texts go, the
// drawing window, outlines only.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/print_commands.h"
#include "app/program_state.h"
#include "headless/recording_print_job.h"
#include "model/pieces.h"
#include "model/properties.h"
#include "model/report.h"
#include "model/shared_state.h"
#include "output/print_lines.h"
#include "support/core_test.h"
#include "support/table_builder.h"
#include "view/print_page.h"
#include "view/redraw_view.h"
#include "view/view_options.h"

namespace {

using Op = CanvasCall::Op;

class PrintPageTest : public CoreTest {
 protected:
  // Prints the page as File / Print does after a screen redraw.
  const RecordingCanvas& Print() {
    RedrawView();  // leaves the extent
    PrintResultsPage(job);
    return job.Pages().front();
  }
  RecordingPrintJob job{"Office"};
};

TEST_F(PrintPageTest, TextsStandWhereThePageSaysInTheDecimalsInForce) {
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  Shared.CurrentFile = "/data/plate.sec";
  Shared.SigDigits = 5;
  const RecordingCanvas& page = Print();
  const auto texts = page.CallsOf(Op::Text);
  ASSERT_EQ(texts.size(), 14u);
  const PageMetrics& m = RecordingPrintJob::A4;
  EXPECT_EQ(texts[0].text, "/data/plate.sec");
  EXPECT_DOUBLE_EQ(texts[0].p.x, 0.15 * m.pageWidth);
  EXPECT_DOUBLE_EQ(texts[0].p.y, 3 * m.cellHeight);
  for (int i = 0; i <= 7; ++i) {
    EXPECT_EQ(texts[1 + i].text, Calc.reportLines[i]);
    EXPECT_DOUBLE_EQ(texts[1 + i].p.x, 0.15 * m.pageWidth);
    EXPECT_DOUBLE_EQ(texts[1 + i].p.y, (4 + i) * m.cellHeight);
  }
  for (int i = 8; i <= 12; ++i) {
    EXPECT_EQ(texts[1 + i].text, Calc.reportLines[i]);
    EXPECT_DOUBLE_EQ(texts[1 + i].p.x, 0.55 * m.pageWidth);
    EXPECT_DOUBLE_EQ(texts[1 + i].p.y, (4 + i - 8) * m.cellHeight);
  }
  EXPECT_NE(texts[3].text.find("8.00000"), std::string::npos);  // the area, five decimals
  EXPECT_TRUE(Shared.ResultsCurrent);  // the missing calculation was made
}

TEST_F(PrintPageTest, TheDrawingIsCentredOnTheExtentAndOnlyOutlined) {
  // A plate far from the origin, with a hole: 20 x 10 around (1000, 500).
  AddPolygon({{990, 495}, {1010, 495}, {1010, 505}, {990, 505}});
  AddCircle(1000, 500, 2, -1.0f);
  View.magnification = 4;  // the screen's zoom and pan do not apply to the page
  View.panX = 30;
  const RecordingCanvas& page = Print();
  const auto mappings = page.CallsOf(Op::SetMapping);
  ASSERT_EQ(mappings.size(), 2u);
  const PageMetrics& m = RecordingPrintJob::A4;
  const double a = m.printableWidth / m.printableHeight;
  EXPECT_DOUBLE_EQ((mappings[1].p.x + mappings[1].q.x) / 2, 1000);
  EXPECT_DOUBLE_EQ((mappings[1].p.y + mappings[1].q.y) / 2, 500);
  EXPECT_DOUBLE_EQ(mappings[1].p.y - mappings[1].q.y, 2 * 20);
  EXPECT_NEAR(mappings[1].q.x - mappings[1].p.x, 2 * 20 * a, 1e-9);
  EXPECT_TRUE(page.CallsOf(Op::FloodFill).empty());
  EXPECT_EQ(page.CallsOf(Op::Circle).size(), 1u);
  EXPECT_EQ(page.Texts().size(), 14u);  // no node numbers
}

TEST_F(PrintPageTest, OneSectionAndTheAxesLetters) {
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  AddCircle(10, 10, 1);
  Compute();
  View.oneSection = 2;
  View.showPrincipalAxes = true;
  const RecordingCanvas& page = Print();
  EXPECT_EQ(page.CallsOf(Op::Circle).size(), 1u);
  const auto texts = page.Texts();
  ASSERT_EQ(texts.size(), 16u);
  EXPECT_EQ(texts[14], "p");
  EXPECT_EQ(texts[15], "p");
  EXPECT_EQ(page.CallsOf(Op::Line).size(), 2u);  // the two axes, no polygon edges
}

TEST(PrintLines, LongListingsGoOnOverPagesWithNoLineLostOrRepeated) {
  RecordingPrintJob job("Office");
  std::vector<std::string> lines;
  for (int i = 1; i <= 300; ++i) lines.push_back("line " + std::to_string(i));
  PrintTextLines(job, lines);
  const int perPage = LinesPerPage(RecordingPrintJob::A4);
  ASSERT_EQ(perPage, 65);  // 3268 / 50
  ASSERT_EQ(job.Pages().size(), 5u);
  std::vector<std::string> printed;
  for (const RecordingCanvas& page : job.Pages()) {
    const auto texts = page.CallsOf(Op::Text);
    EXPECT_LE(texts.size(), static_cast<std::size_t>(perPage));
    EXPECT_DOUBLE_EQ(texts.front().p.y, 0);
    for (const CanvasCall& t : texts) printed.push_back(t.text);
  }
  EXPECT_EQ(printed, lines);
}

// A long path gives way from the left at a folder boundary; the file's own name is
// always whole, on further lines when it is longer than one.
TEST_F(PrintPageTest, ALongPathIsShortenedFromTheLeftKeepingTheFileName) {
  EXPECT_EQ(PrintedFileNameLines("/data/plate.sec", 20), std::vector<std::string>{"/data/plate.sec"});
  EXPECT_EQ(PrintedFileNameLines("/home/engineer/projects/bridge/girders/main-span.sec", 30),
            std::vector<std::string>{".../girders/main-span.sec"});
  const std::string name(50, 'g');
  EXPECT_EQ(PrintedFileNameLines("/a/" + name + ".sec", 20),
            (std::vector<std::string>{std::string(20, 'g'), std::string(20, 'g'),
                                      std::string(10, 'g') + ".sec"}));
  // Characters, not bytes: twelve two-byte letters fit in twelve places.
  EXPECT_EQ(PrintedFileNameLines("/x/\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9.sec", 12).size(), 1u);

  // On the page the name ends on the line above the report.
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  Shared.CurrentFile = "/a/" + std::string(400, 'n') + ".sec";
  const auto texts = Print().CallsOf(Op::Text);
  const PageMetrics& m = RecordingPrintJob::A4;
  std::string printed;
  double lastRow = 0;
  for (const CanvasCall& t : texts) {
    if (t.p.y >= 4 * m.cellHeight) break;
    printed += t.text;
    lastRow = t.p.y;
    EXPECT_LE(t.text.size() * m.cellWidth, m.left + m.printableWidth - 0.15 * m.pageWidth);
  }
  EXPECT_EQ(printed, std::string(400, 'n') + ".sec");
  EXPECT_DOUBLE_EQ(lastRow, 3 * m.cellHeight);
}

// Merge data far from the other pieces is clipped to the drawing's part of the page,
// so its marker cannot print over the report.
TEST_F(PrintPageTest, TheDrawingIsClippedBelowTheText) {
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  AddMergeData(2, 400, 1, 1, 1, 0);
  const RecordingCanvas& page = Print();
  const PageMetrics& m = RecordingPrintJob::A4;
  const auto& calls = page.Calls();
  std::size_t clip = calls.size(), firstDrawing = calls.size();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].op == Op::ClipTo && clip == calls.size()) clip = i;
    if ((calls[i].op == Op::Line || calls[i].op == Op::Circle) && firstDrawing == calls.size())
      firstDrawing = i;
  }
  ASSERT_LT(clip, firstDrawing);
  // The clip is given in page units: below the last line of the report.
  EXPECT_GE(std::min(calls[clip].p.y, calls[clip].q.y), 12 * m.cellHeight);
  EXPECT_DOUBLE_EQ(std::max(calls[clip].p.y, calls[clip].q.y), m.top + m.printableHeight);
}

}  // namespace
