// The drawing surface the view and the printer page are drawn on. Coordinates are
// world units; each canvas maps them onto its device with SetMapping. The screen
// view keeps a raster behind it (qt/raster_canvas.h); a printer canvas draws the
// same calls as outlines; tests record them (headless/recording_canvas.h).
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
  // World (x1, y1) maps to the top-left corner, (x2, y2) to the bottom-right,
  // linearly and separately in x and y; reversed corners mirror the picture.
  virtual void SetMapping(double x1, double y1, double x2, double y2) = 0;
  virtual void Clear(Rgb colour) = 0;
  // Colour of text written by Text().
  virtual void SetTextColour(Rgb colour) = 0;
  // Pen width in device pixels, 1 or 2.
  virtual void SetLineWidth(int pixels) = 0;
  // Straight line from p to q; like the platform's pens it leaves out the end
  // pixel, which the drawing adds with SetPixel where it matters.
  virtual void Line(WorldPoint p, WorldPoint q, Rgb colour) = 0;
  virtual void SetPixel(WorldPoint p, Rgb colour) = 0;
  // Hollow circle of radius |radius| around centre.
  virtual void Circle(WorldPoint centre, double radius, Rgb colour) = 0;
  // Counter-clockwise arc from angle a1 to a2 (radians) of the circle; the points
  // are centre + radius * (cos a, sin a), so a negative radius turns it by π.
  // Equal angles draw the whole circle.
  virtual void Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) = 0;
  // Fills the region around p up to pixels that already have the colour. A canvas
  // without pixels (a printer page) does nothing.
  virtual void FloodFill(WorldPoint p, Rgb colour) = 0;
  // Text in the text colour, transparent background, top-left corner at p.
  virtual void Text(WorldPoint p, const std::string& s) = 0;
  // One character cell of the canvas's font in world units under the current
  // mapping (signed like the mapping: positive for x right, y up).
  virtual CellExtent CellSize() = 0;
  // Later drawing shows only inside the world rectangle with corners a and b under
  // the mapping in force now. The screen's canvas, whose device is the view itself,
  // has nothing more to clip and ignores it.
  virtual void ClipTo(WorldPoint a, WorldPoint b) {
    (void)a;
    (void)b;
  }
};
