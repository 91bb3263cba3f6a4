#include "qt/raster_canvas.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr const char* ViewFontFamily = "DejaVu Sans Mono";
constexpr int ViewFontPixels = 13;
// Pixels a drawn path may run beyond the image before it is cut off, so that the
// pen of width 2 still reaches the border pixels.
constexpr double ClipMargin = 4;
// The most segments one arc is cut into; a circle hugely larger than the view is
// then drawn as a polygon, which stays quick.
constexpr double MaxArcSteps = 1 << 18;

std::uint32_t Pixel(Rgb c) {
  return 0xff000000u | (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b;
}

int ToPixel(double d) { return static_cast<int>(std::floor(d)); }

bool Finite(DevicePoint d) { return std::isfinite(d.x) && std::isfinite(d.y); }

}  // namespace

QFont ViewFont() {
  static const QString family = [] {
    const QString wanted = QString::fromUtf8(ViewFontFamily);
    if (QFontDatabase::hasFamily(wanted)) return wanted;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  }();
  QFont font(family);
  font.setPixelSize(ViewFontPixels);
  font.setStyleHint(QFont::Monospace);
  font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoFontMerging));
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

RasterCanvas::RasterCanvas(int width, int height) : font_(ViewFont()) {
  QFontMetrics metrics(font_);
  cellWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
  cellHeight_ = std::max(1, metrics.height());
  ascent_ = metrics.ascent();
  Resize(width, height);
}

void RasterCanvas::Resize(int width, int height) {
  image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
  image_.fill(Qt::white);
  Rebind();
}

void RasterCanvas::Rebind() {
  w_ = image_.width();
  h_ = image_.height();
  rows_.resize(h_);
  for (int y = 0; y < h_; ++y) rows_[y] = reinterpret_cast<std::uint32_t*>(image_.scanLine(y));
}

void RasterCanvas::SetMapping(double x1, double y1, double x2, double y2) {
  mapping_.Set(x1, y1, x2, y2, w_, h_);
}

void RasterCanvas::Clear(Rgb colour) {
  std::uint32_t c = Pixel(colour);
  for (int y = 0; y < h_; ++y) std::fill(rows_[y], rows_[y] + w_, c);
}

bool RasterCanvas::PixelOf(WorldPoint p, int& x, int& y) const {
  DevicePoint d = mapping_.ToDevice(p);
  if (!Finite(d) || std::fabs(d.x) > 1e9 || std::fabs(d.y) > 1e9) return false;
  x = ToPixel(d.x);
  y = ToPixel(d.y);
  return true;
}

void RasterCanvas::Plot(int x, int y, std::uint32_t c) {
  Put(x, y, c);
  if (width_ == 2) {
    Put(x + 1, y, c);
    Put(x, y + 1, c);
    Put(x + 1, y + 1, c);
  }
}

void RasterCanvas::PixelLine(int x0, int y0, int x1, int y1, std::uint32_t c, bool withEnd) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int stepX = x0 < x1 ? 1 : -1, stepY = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  while (x0 != x1 || y0 != y1) {
    Plot(x0, y0, c);
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += stepY;
    }
  }
  if (withEnd) Plot(x1, y1, c);
}

// Liang-Barsky against the image grown by the margin.
bool RasterCanvas::ClipToImage(DevicePoint& a, DevicePoint& b) const {
  double lo = -ClipMargin, hiX = w_ + ClipMargin, hiY = h_ + ClipMargin;
  double t0 = 0, t1 = 1, dx = b.x - a.x, dy = b.y - a.y;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {a.x - lo, hiX - a.x, a.y - lo, hiY - a.y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    double r = q[i] / p[i];
    if (p[i] < 0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  DevicePoint a0 = a;
  a = {a0.x + t0 * dx, a0.y + t0 * dy};
  b = {a0.x + t1 * dx, a0.y + t1 * dy};
  return true;
}

void RasterCanvas::Line(WorldPoint p, WorldPoint q, Rgb colour) {
  DevicePoint a = mapping_.ToDevice(p), b = mapping_.ToDevice(q);
  if (!Finite(a) || !Finite(b)) return;
  DevicePoint end = b;
  if (!ClipToImage(a, b)) return;
  // The end pixel is left out only where the line really ends, not where it was cut.
  bool cut = b.x != end.x || b.y != end.y;
  PixelLine(ToPixel(a.x), ToPixel(a.y), ToPixel(b.x), ToPixel(b.y), Pixel(colour), cut);
}

void RasterCanvas::SetPixel(WorldPoint p, Rgb colour) {
  int x, y;
  if (PixelOf(p, x, y)) Put(x, y, Pixel(colour));
}

void RasterCanvas::ArcPoints(WorldPoint centre, double radius, double a1, double span,
                             std::uint32_t c) {
  DevicePoint o = mapping_.ToDevice(centre);
  if (!Finite(o) || !std::isfinite(radius) || !std::isfinite(a1) || !std::isfinite(span)) return;
  // Steps of about half a pixel along the curve.
  double pixels = std::fabs(radius) * std::max(std::fabs(mapping_.sx), std::fabs(mapping_.sy));
  double steps = std::clamp(std::ceil(span * pixels * 2), 8.0, MaxArcSteps);
  int n = static_cast<int>(steps);
  // Whole arcs beyond the image draw nothing.
  double reach = pixels + ClipMargin;
  if (o.x + reach < 0 || o.y + reach < 0 || o.x - reach > w_ || o.y - reach > h_) return;

  DevicePoint prev{};
  int px = 0, py = 0;
  for (int i = 0; i <= n; ++i) {
    // The last point is computed from a2 itself so that the arc ends exactly there.
    double theta = i == n ? a1 + span : a1 + span * i / n;
    DevicePoint d = mapping_.ToDevice({centre.x + radius * std::cos(theta),
                                       centre.y + radius * std::sin(theta)});
    int x = ToPixel(d.x), y = ToPixel(d.y);
    if (i == 0) {
      Plot(x, y, c);
    } else if (x != px || y != py) {
      if (std::abs(x - px) <= 1 && std::abs(y - py) <= 1) {
        Plot(x, y, c);
      } else {
        DevicePoint a = prev, b = d;
        if (ClipToImage(a, b))
          PixelLine(ToPixel(a.x), ToPixel(a.y), ToPixel(b.x), ToPixel(b.y), c, true);
      }
    }
    prev = d;
    px = x;
    py = y;
  }
}

void RasterCanvas::Circle(WorldPoint centre, double radius, Rgb colour) {
  ArcPoints(centre, radius, 0, 2 * M_PI, Pixel(colour));
}

void RasterCanvas::Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) {
  if (!std::isfinite(a1) || !std::isfinite(a2)) return;
  double span = std::fmod(a2 - a1, 2 * M_PI);
  if (span <= 0) span += 2 * M_PI;  // equal angles: the whole circle
  ArcPoints(centre, radius, a1, span, Pixel(colour));
}

// Scanline fill with an explicit stack: each entry is one pixel of a run still to
// be filled; a run is grown left and right, then the rows above and below it are
// searched for runs to push.
void RasterCanvas::FloodFill(WorldPoint p, Rgb colour) {
  int sx, sy;
  if (!PixelOf(p, sx, sy) || sx < 0 || sy < 0 || sx >= w_ || sy >= h_) return;
  const std::uint32_t c = Pixel(colour);
  if (rows_[sy][sx] == c) return;
  std::vector<std::pair<int, int>> stack;
  stack.emplace_back(sx, sy);
  while (!stack.empty()) {
    auto [x, y] = stack.back();
    stack.pop_back();
    std::uint32_t* row = rows_[y];
    if (row[x] == c) continue;
    int left = x, right = x;
    while (left > 0 && row[left - 1] != c) --left;
    while (right < w_ - 1 && row[right + 1] != c) ++right;
    std::fill(row + left, row + right + 1, c);
    for (int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= h_) continue;
      const std::uint32_t* next = rows_[ny];
      for (int i = left; i <= right; ++i) {
        if (next[i] == c) continue;
        stack.emplace_back(i, ny);
        while (i <= right && next[i] != c) ++i;  // one seed per run
      }
    }
  }
}

const RasterCanvas::Glyph& RasterCanvas::GlyphOf(unsigned char ch) {
  Glyph& g = glyphs_[ch];
  if (g.ready) return g;
  g.ready = true;
  // Drawn once in black on white, with room around the cell for overhangs.
  QImage cell(cellWidth_ * 3, cellHeight_ * 2, QImage::Format_RGB32);
  cell.fill(Qt::white);
  {
    QPainter painter(&cell);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font_);
    painter.setPen(Qt::black);
    painter.drawText(cellWidth_, cellHeight_ / 2 + ascent_, QString(QChar(ch)));
  }
  for (int y = 0; y < cell.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(cell.constScanLine(y));
    for (int x = 0; x < cell.width(); ++x)
      if (qGray(line[x]) < 128) g.pixels.emplace_back(x - cellWidth_, y - cellHeight_ / 2);
  }
  return g;
}

void RasterCanvas::Text(WorldPoint p, const std::string& s) {
  int x, y;
  if (!PixelOf(p, x, y)) return;
  const std::uint32_t c = Pixel(text_);
  for (unsigned char ch : s) {
    if (x > w_ + cellWidth_) break;
    if (ch != ' ')
      for (auto [dx, dy] : GlyphOf(ch).pixels) Put(x + dx, y + dy, c);
    x += cellWidth_;
  }
}

CellExtent RasterCanvas::CellSize() { return mapping_.ToWorldCell(cellWidth_, cellHeight_); }
