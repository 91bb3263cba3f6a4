// The drawing surface the view and the printer page are drawn on.
#pragma once

#include <cstdint>
#include <string>

struct Rgb {
  std::uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb Black{0, 0, 0};
constexpr Rgb LightGrey{192, 192, 192};
constexpr Rgb White{255, 255, 255};
constexpr Rgb Blue{0, 0, 255};

struct WorldPoint {
  double x, y;
};

struct CellExtent {
  double width, height;  // world units
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // World (x1, y1) maps to the top-left corner, (x2, y2) to the bottom-right.
  virtual void SetMapping(double x1, double y1, double x2, double y2) = 0;
  virtual void Clear(Rgb colour) = 0;
  virtual void SetTextColour(Rgb colour) = 0;
  virtual void SetLineWidth(int pixels) = 0;
  virtual void Line(WorldPoint p, WorldPoint q, Rgb colour) = 0;
  virtual void SetPixel(WorldPoint p, Rgb colour) = 0;
  virtual void Circle(WorldPoint centre, double radius, Rgb colour) = 0;
  // Counter-clockwise arc from angle a1 to a2 (radians).
  virtual void Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) = 0;
  // Fills the region around p up to pixels that already have the colour.
  virtual void FloodFill(WorldPoint p, Rgb colour) = 0;
  // Text in the text colour, transparent background, top-left corner at p.
  virtual void Text(WorldPoint p, const std::string& s) = 0;
  virtual CellExtent CellSize() = 0;
};
