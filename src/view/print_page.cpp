#include "view/print_page.h"

#include <algorithm>

#include "model/properties.h"
#include "model/section_table.h"
#include "view/section_drawing.h"

PrintWindow PrintedDrawingWindow(const ViewExtent& e, const PageMetrics& page) {
  double w = e.xmax - e.xmin, h = e.ymax - e.ymin;
  if (w == 0) w = 0.5;
  if (h == 0) h = 0.5;
  const double s = std::max(w, h);
  const double a = page.printableWidth / page.printableHeight;
  // Centred on the extent's centre, so that a drawing far from the origin stays
  // in the middle of the page.
  const double cx = (e.xmax + e.xmin) / 2, cy = (e.ymax + e.ymin) / 2;
  return {cx - s * a, cy + s, cx + s * a, cy - s};
}

void DrawPrintedPage(Canvas& canvas, const PageMetrics& page, const std::string& fileName,
                     const ViewExtent& extent) {
  // Page coordinates for the text: x right, y down from the page's corner.
  canvas.SetMapping(page.left, page.top, page.left + page.printableWidth,
                    page.top + page.printableHeight);
  canvas.SetTextColour(Black);
  const double ch = page.cellHeight;
  const double x1 = 0.15 * page.pageWidth, x2 = 0.55 * page.pageWidth;
  canvas.Text({x1, 3 * ch}, fileName);
  for (int i = 0; i <= 7; ++i) canvas.Text({x1, (4 + i) * ch}, Calc.reportLines[i]);
  for (int i = 8; i <= 12; ++i) canvas.Text({x2, (4 + i - 8) * ch}, Calc.reportLines[i]);

  // Nothing shown leaves the extent empty: the page holds the text alone.
  if (extent.xmin > extent.xmax || extent.ymin > extent.ymax) return;
  const PrintWindow w = PrintedDrawingWindow(extent, page);
  canvas.SetMapping(w.left, w.top, w.right, w.bottom);
  canvas.SetLineWidth(1);
  const SectionStyle outline;  // black, not filled, no numbers
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    if (sec.flags & (Deleted | Off)) continue;
    if (View.oneSection != 0 && View.oneSection != s) continue;
    WorldPoint seed{};
    DrawSection(canvas, s, outline, extent, seed);
  }
  if (View.showPrincipalAxes) DrawPrincipalAxes(canvas, extent);
}
