// The canvas of the screen view: a QImage kept behind the GraphicView. Lines,
// circles and arcs are drawn pixel by pixel without anti-aliasing, as 8-connected
// paths, so that the 4-connected flood fill, bounded by pixels of its own colour,
// cannot leak through an outline. Text uses a fixed monospace font whose glyphs are
// rendered once, without anti-aliasing, and then copied as pixel masks.
//
// Needs a QGuiApplication (fonts); kelvarin-cli and the tests create one on the
// offscreen platform.
#pragma once

#include <QFont>
#include <QImage>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_mapping.h"

// The monospace font of the view: the family DejaVu Sans Mono when the font
// database has it, else the system's fixed font; pixel size 13, no anti-aliasing.
QFont ViewFont();

class RasterCanvas : public Canvas {
 public:
  RasterCanvas(int width, int height);

  const QImage& Image() const { return image_; }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  // A new size; the picture is cleared to white and the mapping kept.
  void Resize(int width, int height);
  const CanvasMapping& Mapping() const { return mapping_; }

  void SetMapping(double x1, double y1, double x2, double y2) override;
  void Clear(Rgb colour) override;
  void SetTextColour(Rgb colour) override { text_ = colour; }
  void SetLineWidth(int pixels) override { width_ = pixels >= 2 ? 2 : 1; }
  void Line(WorldPoint p, WorldPoint q, Rgb colour) override;
  void SetPixel(WorldPoint p, Rgb colour) override;
  void Circle(WorldPoint centre, double radius, Rgb colour) override;
  void Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) override;
  void FloodFill(WorldPoint p, Rgb colour) override;
  void Text(WorldPoint p, const std::string& s) override;
  CellExtent CellSize() override;

  // The pixel that holds world point p (may lie outside the image).
  bool PixelOf(WorldPoint p, int& x, int& y) const;

 private:
  struct Glyph {
    bool ready = false;
    std::vector<std::pair<int, int>> pixels;  // set pixels, relative to the cell's corner
  };

  void Plot(int x, int y, std::uint32_t c);  // one pen dab of the current width
  void Put(int x, int y, std::uint32_t c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) rows_[y][x] = c;
  }
  // Bresenham from device pixel (x0, y0) to (x1, y1); the end pixel when withEnd.
  void PixelLine(int x0, int y0, int x1, int y1, std::uint32_t c, bool withEnd);
  // Clips the device segment to a margin around the image; false when nothing is left.
  bool ClipToImage(DevicePoint& a, DevicePoint& b) const;
  void ArcPoints(WorldPoint centre, double radius, double a1, double span, std::uint32_t c);
  const Glyph& GlyphOf(unsigned char ch);
  void Rebind();

  QImage image_;
  int w_ = 0, h_ = 0;
  std::vector<std::uint32_t*> rows_;
  CanvasMapping mapping_;
  Rgb text_{0, 0, 0};
  int width_ = 1;
  QFont font_;
  int cellWidth_ = 8, cellHeight_ = 16, ascent_ = 12;
  std::array<Glyph, 256> glyphs_;
};
