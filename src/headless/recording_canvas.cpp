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
    case CanvasCall::ClipTo: return "ClipTo";
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
    case CanvasCall::ClipTo:
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
  Add({.op = CanvasCall::SetMapping, .p = {x1, y1}, .q = {x2, y2}});
}

void RecordingCanvas::Clear(Rgb colour) { Add({.op = CanvasCall::Clear, .colour = colour}); }

void RecordingCanvas::ClipTo(WorldPoint a, WorldPoint b) {
  Add({.op = CanvasCall::ClipTo, .p = a, .q = b});
}

void RecordingCanvas::SetTextColour(Rgb colour) {
  textColour_ = colour;
  Add({.op = CanvasCall::SetTextColour, .colour = colour});
}

void RecordingCanvas::SetLineWidth(int pixels) {
  lineWidth_ = pixels;
  Add({.op = CanvasCall::SetLineWidth, .width = pixels});
}

void RecordingCanvas::Line(WorldPoint p, WorldPoint q, Rgb colour) {
  Add({.op = CanvasCall::Line, .colour = colour, .p = p, .q = q});
}

void RecordingCanvas::SetPixel(WorldPoint p, Rgb colour) {
  Add({.op = CanvasCall::SetPixel, .colour = colour, .p = p});
}

void RecordingCanvas::Circle(WorldPoint centre, double radius, Rgb colour) {
  Add({.op = CanvasCall::Circle, .colour = colour, .p = centre, .radius = radius});
}

void RecordingCanvas::Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) {
  Add({.op = CanvasCall::Arc, .colour = colour, .p = centre, .radius = radius, .a1 = a1, .a2 = a2});
}

void RecordingCanvas::FloodFill(WorldPoint p, Rgb colour) {
  Add({.op = CanvasCall::FloodFill, .colour = colour, .p = p});
}

void RecordingCanvas::Text(WorldPoint p, const std::string& s) {
  Add({.op = CanvasCall::Text, .colour = textColour_, .p = p, .text = s});
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
