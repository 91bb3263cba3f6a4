// Real PDF output on the offscreen platform, read back with poppler's pdftotext and
// pdftoppm (installed by tools/install-deps.sh).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/print_commands.h"
#include "app/program_state.h"
#include "model/shared_state.h"
#include "output/print_lines.h"
#include "qt/gui_application.h"
#include "qt/printer_job.h"
#include "support/table_builder.h"
#include "support/temp_folder_test.h"
#include "view/redraw_view.h"

namespace {

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

class PrintPdfTest : public TempFolderTest {
 protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  std::string Pdf(const char* name) const { return (folder_ / name).string(); }
};

TEST_F(PrintPdfTest, ThePageHoldsTheFileNameAndTheReport) {
  AddPolygon({{0, 0}, {12, 0}, {12, 6}, {0, 6}});
  Shared.CurrentFile = "/data/beams/plate.sec";
  Shared.SigDigits = 4;
  RedrawView();
  QtPrintJob job("Print to PDF", Pdf("page.pdf"));
  ASSERT_FALSE(job.PrinterName().empty());
  PrintResultsPage(job);
  ASSERT_TRUE(job.Finish());
  const std::string text = Shell("pdftotext -layout '" + Pdf("page.pdf") + "' -");
  EXPECT_NE(text.find("/data/beams/plate.sec"), std::string::npos) << text;
  for (const char* expected : {"Centroidal Axes", "Principal Axes", "72.0000", "216.0000",
                               "864.0000", "Degrs"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
}

// A drawing far from the origin lies inside the printable area, below the text.
TEST_F(PrintPdfTest, AFarDrawingStaysOnThePage) {
  AddPolygon({{5000, 3000}, {5040, 3000}, {5040, 3020}, {5000, 3020}});
  RedrawView();
  QtPrintJob job("Print to PDF", Pdf("far.pdf"));
  const PageMetrics m = job.Metrics();
  PrintResultsPage(job);
  ASSERT_TRUE(job.Finish());
  // The page as a greyscale PGM at 20 dpi: the dark pixels of the drawing.
  Shell("pdftoppm -r 20 -gray -singlefile '" + Pdf("far.pdf") + "' '" + Pdf("far") + "'");
  std::ifstream pgm(Pdf("far") + ".pgm", std::ios::binary);
  std::string magic;
  int w = 0, h = 0, maxval = 0;
  pgm >> magic >> w >> h >> maxval;
  pgm.get();
  ASSERT_EQ(magic, "P5");
  std::vector<unsigned char> pixels(static_cast<std::size_t>(w) * h);
  pgm.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
  // Below the report (row 13 of the text) lies only the drawing.
  const int firstRow = static_cast<int>(14 * m.cellHeight / m.pageHeight * h);
  int xmin = w, xmax = -1, ymin = h, ymax = -1;
  for (int y = firstRow; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (pixels[static_cast<std::size_t>(y) * w + x] < 128) {
        xmin = std::min(xmin, x), xmax = std::max(xmax, x);
        ymin = std::min(ymin, y), ymax = std::max(ymax, y);
      }
  ASSERT_GE(xmax, 0) << "nothing drawn";
  const double left = m.left / m.pageWidth * w, right = (m.left + m.printableWidth) / m.pageWidth * w;
  const double top = m.top / m.pageHeight * h, bottom = (m.top + m.printableHeight) / m.pageHeight * h;
  EXPECT_GE(xmin, left - 1);
  EXPECT_LE(xmax, right + 1);
  EXPECT_GE(ymin, top - 1);
  EXPECT_LE(ymax, bottom + 1);
  // Centred: the rectangle's middle is the printable area's middle.
  EXPECT_NEAR((xmin + xmax) / 2.0, (left + right) / 2, 2);
  EXPECT_NEAR((ymin + ymax) / 2.0, (top + bottom) / 2, 2);
}

TEST_F(PrintPdfTest, AThreeHundredLineListingLosesNoLine) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 300; ++i) lines.push_back("Node " + std::to_string(1000 + i));
  QtPrintJob job("Print to PDF", Pdf("log.pdf"));
  PrintTextLines(job, lines);
  ASSERT_TRUE(job.Finish());
  const std::string text = Shell("pdftotext '" + Pdf("log.pdf") + "' -");
  std::istringstream in(text);
  std::vector<std::string> read;
  std::string line;
  int pages = 1;
  while (std::getline(in, line)) {
    for (char c : line) pages += c == '\f';
    line.erase(std::remove(line.begin(), line.end(), '\f'), line.end());
    if (line.rfind("Node ", 0) == 0) read.push_back(line);
  }
  EXPECT_EQ(read, lines);
  EXPECT_GT(pages, 2);  // several pages (pdftotext ends each page with a form feed)
}

// The log's values stand in fixed columns: the printed listing uses a fixed-pitch
// font, so "1" and "W" take the same room and the columns line up on paper.
TEST_F(PrintPdfTest, ListingsPrintInAFixedPitchFont) {
  QtPrintJob job("Print to PDF", Pdf("columns.pdf"));
  PrintTextLines(job, {"1111111111|", "WWWWWWWWWW|"});
  ASSERT_TRUE(job.Finish());
  const std::string fonts = Shell("pdffonts '" + Pdf("columns.pdf") + "'");
  EXPECT_TRUE(fonts.find("Mono") != std::string::npos || fonts.find("Courier") != std::string::npos)
      << fonts;
  // With -layout, pdftotext puts both bars in the same column only for equal widths.
  const std::string text = Shell("pdftotext -layout '" + Pdf("columns.pdf") + "' -");
  const std::size_t first = text.find('|'), second = text.find('|', first + 1);
  ASSERT_NE(second, std::string::npos) << text;
  const std::size_t lineStart = text.rfind('\n', second) + 1;
  const std::size_t firstLineStart = text.rfind('\n', first) == std::string::npos ? 0 : text.rfind('\n', first) + 1;
  EXPECT_EQ(first - firstLineStart, second - lineStart) << text;
}

}  // namespace
