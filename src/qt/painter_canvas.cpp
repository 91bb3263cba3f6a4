#include "qt/painter_canvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "util/numeric.h"

namespace {
QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, double width, double height, double lineUnit)
    : painter_(painter), width_px_(width), height_px_(height), lineUnit_(lineUnit) {}

void PainterCanvas::SetMapping(double x1, double y1, double x2, double y2) {
  mapping_.Set(x1, y1, x2, y2, width_px_, height_px_);
}

void PainterCanvas::UsePen(Rgb colour) {
  QPen pen(ToQColor(colour));
  pen.setWidthF(width_ * lineUnit_);
  pen.setCapStyle(Qt::RoundCap);
  painter_.setPen(pen);
  painter_.setBrush(Qt::NoBrush);
}

void PainterCanvas::Line(WorldPoint p, WorldPoint q, Rgb colour) {
  UsePen(colour);
  const DevicePoint a = mapping_.ToDevice(p), b = mapping_.ToDevice(q);
  painter_.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

void PainterCanvas::SetPixel(WorldPoint p, Rgb colour) {
  UsePen(colour);
  const DevicePoint a = mapping_.ToDevice(p);
  painter_.drawPoint(QPointF(a.x, a.y));
}

void PainterCanvas::Circle(WorldPoint centre, double radius, Rgb colour) {
  Arc(centre, radius, 0, 0, colour);
}

void PainterCanvas::Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) {
  if (radius < 0) {  // a negative radius turns the arc by half a turn
    radius = -radius;
    a1 += Pi;
    a2 += Pi;
  }
  double span = std::fmod(a2 - a1, TwoPi);
  if (span <= 0) span += TwoPi;  // equal angles: the whole circle
  const DevicePoint c = mapping_.ToDevice(centre);
  const double rx = radius * std::fabs(mapping_.sx), ry = radius * std::fabs(mapping_.sy);
  // The painter's angles run counter-clockwise on a y-down device; a mapping that
  // mirrors the picture turns the arc the other way.
  const double fx = mapping_.sx >= 0 ? 1 : -1, fy = mapping_.sy <= 0 ? 1 : -1;
  const double start = std::atan2(fy * std::sin(a1), fx * std::cos(a1)) / DegToRad;
  const double sweep = fx * fy * span / DegToRad;
  const QRectF box(c.x - rx, c.y - ry, 2 * rx, 2 * ry);
  QPainterPath path;
  path.arcMoveTo(box, start);
  path.arcTo(box, start, sweep);
  UsePen(colour);
  painter_.drawPath(path);
}

void PainterCanvas::Text(WorldPoint p, const std::string& s) {
  const DevicePoint a = mapping_.ToDevice(p);
  painter_.setPen(ToQColor(text_));
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  painter_.drawText(QPointF(a.x, a.y + metrics.ascent()), QString::fromStdString(s));
}

void PainterCanvas::ClipTo(WorldPoint a, WorldPoint b) {
  const DevicePoint p = mapping_.ToDevice(a), q = mapping_.ToDevice(b);
  painter_.setClipRect(QRectF(QPointF(std::min(p.x, q.x), std::min(p.y, q.y)),
                              QPointF(std::max(p.x, q.x), std::max(p.y, q.y))));
}

CellExtent PainterCanvas::CellSize() {
  const QFontMetricsF metrics(painter_.font(), painter_.device());
  return mapping_.ToWorldCell(metrics.averageCharWidth(), metrics.height());
}
