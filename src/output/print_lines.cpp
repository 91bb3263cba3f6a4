#include "output/print_lines.h"

#include <algorithm>
#include <cmath>

#include "platform/canvas.h"

int LinesPerPage(const PageMetrics& page) {
  if (!(page.cellHeight > 0)) return 1;
  return std::max(1, static_cast<int>(std::floor(page.printableHeight / page.cellHeight)));
}

void PrintTextLines(PrintJob& job, const std::vector<std::string>& lines) {
  const PageMetrics page = job.Metrics();
  const int perPage = LinesPerPage(page);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int row = static_cast<int>(i % perPage);
    if (row == 0 && i != 0) job.NewPage();
    Canvas& canvas = job.PageCanvas();
    if (row == 0) {
      // The printable area in its own units, y down.
      canvas.SetMapping(0, 0, page.printableWidth, page.printableHeight);
      canvas.SetTextColour(Black);
    }
    canvas.Text({0, row * page.cellHeight}, lines[i]);
  }
}
