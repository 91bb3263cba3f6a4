// A canvas that keeps every call with its arguments, for tests and scenario tools.
// It also follows the mapping like a device of a given pixel size, so CellSize
// answers as a screen of that size with a fixed character cell would.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/canvas_mapping.h"

struct CanvasCall {
  enum Op { SetMapping, Clear, SetTextColour, SetLineWidth, Line, SetPixel, Circle, Arc,
            FloodFill, Text, ClipTo };
  Op op = Clear;
  Rgb colour{0, 0, 0};      // Clear, SetTextColour, Line, SetPixel, Circle, Arc, FloodFill;
                            // Text: the text colour in force
  WorldPoint p{0, 0};       // Line start, pixel, centre, seed, text corner; mapping (x1, y1)
  WorldPoint q{0, 0};       // Line end; mapping (x2, y2); ClipTo's corners are p and q
  double radius = 0;        // Circle, Arc
  double a1 = 0, a2 = 0;    // Arc
  int width = 1;            // SetLineWidth; for drawing calls the width in force
  std::string text = {};    // Text
};

const char* CanvasOpName(CanvasCall::Op op);
// One line per call, e.g. "Line (0, 0) (10, 0) #000000 w1".
std::string FormatCanvasCall(const CanvasCall& call);

class RecordingCanvas : public Canvas {
 public:
  // A device of pixels x pixels with a character cell of cellWidth x cellHeight.
  explicit RecordingCanvas(int pixels = 1000, double cellWidth = 8, double cellHeight = 16)
      : pixels_(pixels), cellWidth_(cellWidth), cellHeight_(cellHeight) {}

  void SetMapping(double x1, double y1, double x2, double y2) override;
  void Clear(Rgb colour) override;
  void SetTextColour(Rgb colour) override;
  void SetLineWidth(int pixels) override;
  void Line(WorldPoint p, WorldPoint q, Rgb colour) override;
  void SetPixel(WorldPoint p, Rgb colour) override;
  void Circle(WorldPoint centre, double radius, Rgb colour) override;
  void Arc(WorldPoint centre, double radius, double a1, double a2, Rgb colour) override;
  void FloodFill(WorldPoint p, Rgb colour) override;
  void Text(WorldPoint p, const std::string& s) override;
  void ClipTo(WorldPoint a, WorldPoint b) override;
  CellExtent CellSize() override;

  const std::vector<CanvasCall>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // The calls with one operation, in order.
  std::vector<CanvasCall> CallsOf(CanvasCall::Op op) const;
  // The texts written, in order.
  std::vector<std::string> Texts() const;
  const CanvasMapping& Mapping() const { return mapping_; }

 private:
  void Add(CanvasCall call);

  int pixels_;
  double cellWidth_, cellHeight_;
  CanvasMapping mapping_;
  Rgb textColour_{0, 0, 0};
  int lineWidth_ = 1;
  std::vector<CanvasCall> calls_;
};
