#include "headless/recording_canvas.h"

#include <cstdio>

const char* CanvasOpName(CanvasCall::Op op) {
  switch (op) {
    case CanvasCall::SetMapping: return "SetMapping";
    case CanvasCall::Clear: return "Clear";
    case CanvasCall::SetTextColour: return "SetTextColour";
    case CanvasCall::SetLineWidth: return "SetLineWidth";
    case CanvasCall::Line: return "Line";
    case CanvasCall::SetPixel: return "SetPixel";
    case CanvasCall::Circle: return "Circle";
    case CanvasCall::Arc: return "Arc";
    case CanvasCall::FloodFill: return "FloodFill";
    case CanvasCall::Text: return "Text";
  }
  return "?";
}

std::string FormatCanvasCall(const CanvasCall& c) {
  char buf[256];
  auto colour = [](Rgb k) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", k.r, k.g, k.b);
    return std::string(s);
  };
  std::string out = CanvasOpName(c.op);
  switch (c.op) {
    case CanvasCall::SetMapping:
      std::snprintf(buf, sizeof buf, " %g, %g, %g, %g", c.p.x, c.p.y, c.q.x, c.q.y);
      return out + buf;
    case CanvasCall::Clear:
    case CanvasCall::SetTextColour:
      return out + " " + colour(c.colour);
    case CanvasCall::SetLineWidth:
      return out + " " + std::to_string(c.width);
    case CanvasCall::Line:
      std::snprintf(buf, sizeof buf, " (%g, %g) (%g, %g)", c.p.x, c.p.y, c.q.x, c.q.y);
      break;
    case CanvasCall::SetPixel:
    case CanvasCall::FloodFill:
      std::snprintf(buf, sizeof buf, " (%g, %g)", c.p.x, c.p.y);
      break;
    case CanvasCall::Circle:
      std::snprintf(buf, sizeof buf, " (%g, %g) r %g", c.p.x, c.p.y, c.radius);
      break;
    case CanvasCall::Arc:
      std::snprintf(buf, sizeof buf, " (%g, %g) r %g from %g to %g", c.p.x, c.p.y, c.radius,
                    c.a1, c.a2);
      break;
    case CanvasCall::Text:
      std::snprintf(buf, sizeof buf, " (%g, %g) \"%s\" ", c.p.x, c.p.y, c.text.c_str());
      return out + buf + colour(c.colour);
  }
  return out + buf + " " + colour(c.colour) + " w" + std::to_string(c.width);
}

void RecordingCanvas::Add(CanvasCall call) {
  if (call.op != CanvasCall::SetLineWidth) call.width = lineWidth_;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::SetMapping(double x1, double y1, double x2, double y2) {
  mapping_.Set(x1, y1, x2, y2, pixels_, pixels_);
  CanvasCall c;
  c.op = CanvasCall::SetMapping;
  c.p = {x1, y1};
  c.q = {x2, y2};
  Add(c);
}

void RecordingCanvas::Clear(Rgb colour) {
  CanvasCall c;
  c.op = CanvasCall::Clear;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::SetTextColour(Rgb colour) {
  textColour_ = colour;
  CanvasCall c;
  c.op = CanvasCall::SetTextColour;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::SetLineWidth(int pixels) {
  lineWidth_ = pixels;
  CanvasCall c;
  c.op = CanvasCall::SetLineWidth;
  c.width = pixels;
  Add(c);
}

void RecordingCanvas::Line(WorldPoint p, WorldPoint q, Rgb colour) {
  CanvasCall c;
  c.op = CanvasCall::Line;
  c.p = p;
  c.q = q;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::SetPixel(WorldPoint p, Rgb colour) {
  CanvasCall c;
  c.op = CanvasCall::SetPixel;
  c.p = p;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::Circle(WorldPoint centre, double radius, Rgb colour) {
  CanvasCall c;
  c.op = CanvasCall::Circle;
  c.p = centre;
  c.radius = radius;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) {
  CanvasCall c;
  c.op = CanvasCall::Arc;
  c.p = centre;
  c.radius = radius;
  c.a1 = a1;
  c.a2 = a2;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::FloodFill(WorldPoint p, Rgb colour) {
  CanvasCall c;
  c.op = CanvasCall::FloodFill;
  c.p = p;
  c.colour = colour;
  Add(c);
}

void RecordingCanvas::Text(WorldPoint p, const std::string& s) {
  CanvasCall c;
  c.op = CanvasCall::Text;
  c.p = p;
  c.text = s;
  c.colour = textColour_;
  Add(c);
}

CellExtent RecordingCanvas::CellSize() { return mapping_.ToWorldCell(cellWidth_, cellHeight_); }

std::vector<CanvasCall> RecordingCanvas::CallsOf(CanvasCall::Op op) const {
  std::vector<CanvasCall> out;
  for (const CanvasCall& c : calls_)
    if (c.op == op) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> out;
  for (const CanvasCall& c : calls_)
    if (c.op == CanvasCall::Text) out.push_back(c.text);
  return out;
}
