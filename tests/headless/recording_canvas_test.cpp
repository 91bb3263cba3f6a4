// The recording canvas: what scenario tools print, and the cell it reports.
#include "headless/recording_canvas.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordingCanvasTest, FormatsEveryCallWithItsState) {
  RecordingCanvas canvas(100, 8, 16);
  canvas.SetMapping(-1.25, 8.75, 11.25, -3.75);
  canvas.SetLineWidth(2);
  canvas.Line({0, 0}, {10, 0}, LightGrey);
  canvas.SetTextColour(Blue);
  canvas.Text({1, 2}, " 250");
  canvas.Arc({0, 0}, 1.5, 0, 1.25, Black);
  std::vector<std::string> lines;
  for (const CanvasCall& c : canvas.Calls()) lines.push_back(FormatCanvasCall(c));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "SetMapping -1.25, 8.75, 11.25, -3.75",
                       "SetLineWidth 2",
                       "Line (0, 0) (10, 0) #c0c0c0 w2",
                       "SetTextColour #0000ff",
                       "Text (1, 2) \" 250\" #0000ff",
                       "Arc (0, 0) r 1.5 from 0 to 1.25 #000000 w2",
                   }));
}

TEST(RecordingCanvasTest, CellSizeFollowsTheMapping) {
  RecordingCanvas canvas(1000, 8, 16);
  canvas.SetMapping(0, 10, 10, 0);  // 100 pixels per unit, y up
  CellExtent cell = canvas.CellSize();
  EXPECT_DOUBLE_EQ(cell.width, 0.08);
  EXPECT_DOUBLE_EQ(cell.height, 0.16);
  // A picture turned by 180 degrees: the cell turns with it.
  canvas.SetMapping(10, 0, 0, 10);
  cell = canvas.CellSize();
  EXPECT_DOUBLE_EQ(cell.width, -0.08);
  EXPECT_DOUBLE_EQ(cell.height, -0.16);
}

}  // namespace
