// One step of the node language, shared by polygon nodes and phantom points: the
// rules "#k", the direction letters, the right-angle turn, the angle step and the
// fixed-radius point, then absolute or relative by a comma, and the refusal of a
// point beyond single precision. The callers reserve the slot, store the point and
// show the refusals; what differs between nodes and phantom points is a parameter.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "construct/panel_items.h"
#include "model/section_table.h"

// The direction rules of a step, in the order up, down, left, right: the first whose
// word the mode holds while the line is bare, or whose letter the line contains.
struct DirectionRule {
  char letter;
  double dx, dy;  // the unit step
};
std::optional<DirectionRule> MatchDirection(const EntryMode& mode, bool bare, std::string_view line);

// A right-angle turn: the step of length x (then in x) turned 90 degrees to the left
// of the edge from a to b (a negative length turns right), set in (x, y); LastAngle
// takes the step's direction in degrees.
void RightAngleStep(const Node& a, const Node& b, double& x, double& y);

struct StepParams {
  ModeWord pointWord = ModeWord::Defined;  // the mode whose bare number names a point
  std::string_view fieldSeparators = ",;/";  // between the typed x and y
  Node base{0, 0};  // where a relative step starts
  // The edge a right-angle turn is turned from; without one the line is ignored.
  std::optional<std::array<Node, 2>> rightAngleEdge;
  // An angle step goes at the angle typed after "/" rather than at LastAngle (the
  // second half of a pending step always goes on at LastAngle).
  bool typedAngle = false;
  // A typed line ending in "\" (or a bare line in a fixed mode) is a fixed-radius
  // point; otherwise only the second half of a pending fixed-radius step is.
  bool typedFixedRadius = false;
  // A line that matches no step rule is the pair (x, y) as typed.
  bool plainPair = true;
  // A relative step of (0, 0) stores nothing.
  bool zeroStepStoresNothing = false;
};

struct StepResult {
  enum Outcome {
    Point,         // (x, y) is the new point
    NoRule,        // no step rule matched and plainPair is off
    Ignored,       // a right-angle turn without its edge
    ZeroStep,      // a zero relative step with zeroStepStoresNothing
    MissingPoint,  // "#k" names no point: refuse with message and caption
    OutOfRange,    // the point is beyond single precision: refuse likewise
    Failed,        // an intersecting line or circle failed; it has shown its message
                   // and given the pending slot back
  };
  Outcome outcome = Point;
  float x = 0, y = 0;  // the point, as stored
  std::string message;
  const char* caption = "";
};

// Resolves the cleaned line in the mode. The pending step ends (PendingStep := 0);
// LastAngle moves with turns and intersections. A fixed-radius point with two
// meeting points has stored the second one in the pending slot and counted it, so
// the point goes to the next slot.
StepResult ResolveStep(const EntryMode& mode, std::string line, const StepParams& params);
