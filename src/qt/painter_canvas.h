// A canvas on any QPainter (a printer page or a PDF): outlines only, true arcs,
// text in the painter's font. Its device is the painter's surface, in the painter's
// own units.
#pragma once

#include <QPainter>

#include "platform/canvas.h"
#include "platform/canvas_mapping.h"

class PainterCanvas : public Canvas {
 public:
  // width x height: the device surface in painter units; lineUnit: the painter
  // units of one pen "pixel" of SetLineWidth.
  PainterCanvas(QPainter& painter, double width, double height, double lineUnit);

  void SetMapping(double x1, double y1, double x2, double y2) override;
  void Clear(Rgb) override {}  // a page starts blank
  void SetTextColour(Rgb colour) override { text_ = colour; }
  void SetLineWidth(int pixels) override { width_ = pixels >= 2 ? 2 : 1; }
  void Line(WorldPoint p, WorldPoint q, Rgb colour) override;
  void SetPixel(WorldPoint p, Rgb colour) override;
  void Circle(WorldPoint centre, double radius, Rgb colour) override;
  void Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) override;
  void FloodFill(WorldPoint, Rgb) override {}  // outlines only
  void Text(WorldPoint p, const std::string& s) override;
  CellExtent CellSize() override;
  void ClipTo(WorldPoint a, WorldPoint b) override;

 private:
  void UsePen(Rgb colour);

  QPainter& painter_;
  double width_px_, height_px_, lineUnit_;
  CanvasMapping mapping_;
  Rgb text_{0, 0, 0};
  int width_ = 1;
};
