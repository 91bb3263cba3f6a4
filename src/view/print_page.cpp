#include "view/print_page.h"

#include <algorithm>
#include <utility>

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

namespace {

// Characters of a UTF-8 text (its bytes less the continuation bytes).
std::size_t Characters(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// The first n characters of s, and the rest.
std::pair<std::string, std::string> SplitAtCharacter(const std::string& s, std::size_t n) {
  std::size_t i = 0, seen = 0;
  for (; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && seen++ == n) break;
  }
  return {s.substr(0, i), s.substr(i)};
}

}  // namespace

std::vector<std::string> PrintedFileNameLines(const std::string& path, int maxChars) {
  const std::size_t room = static_cast<std::size_t>(std::max(maxChars, 8));
  if (Characters(path) <= room) return {path};
  // The longest tail from a folder boundary that fits after "...".
  for (std::size_t slash = path.find('/'); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string tail = "..." + path.substr(slash);
    if (Characters(tail) <= room) return {tail};
  }
  // The file's own name alone is longer than a line: it runs on.
  std::string rest = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  std::vector<std::string> lines;
  while (!rest.empty()) {
    auto [line, more] = SplitAtCharacter(rest, room);
    lines.push_back(line);
    rest = more;
  }
  return lines;
}

void DrawPrintedPage(Canvas& canvas, const PageMetrics& page, const std::string& fileName,
                     const ViewExtent& extent) {
  // Page coordinates for the text: x right, y down from the page's corner.
  canvas.SetMapping(page.left, page.top, page.left + page.printableWidth,
                    page.top + page.printableHeight);
  canvas.SetTextColour(Black);
  const double ch = page.cellHeight;
  const double x1 = 0.15 * page.pageWidth, x2 = 0.55 * page.pageWidth;
  // The name ends on the line above the report, however many lines it takes.
  const int room = page.cellWidth > 0
                       ? static_cast<int>((page.left + page.printableWidth - x1) / page.cellWidth)
                       : static_cast<int>(fileName.size());
  const std::vector<std::string> name = PrintedFileNameLines(fileName, room);
  for (std::size_t i = 0; i < name.size(); ++i)
    canvas.Text({x1, (3.0 - static_cast<double>(name.size() - 1 - i)) * ch}, name[i]);
  for (int i = 0; i <= 7; ++i) canvas.Text({x1, (4 + i) * ch}, Calc.reportLines[i]);
  for (int i = 8; i <= 12; ++i) canvas.Text({x2, (4 + i - 8) * ch}, Calc.reportLines[i]);

  // Nothing shown leaves the extent empty: the page holds the text alone.
  if (extent.xmin > extent.xmax || extent.ymin > extent.ymax) return;
  // A piece far from the others (merge data has no extent) must not print over
  // the text.
  canvas.ClipTo({page.left, 12 * ch}, {page.left + page.printableWidth, page.top + page.printableHeight});
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
