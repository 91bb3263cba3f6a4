#include "construct/intersect.h"

#include <algorithm>
#include <cmath>

#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/point_slots.h"
#include "model/section_table.h"
#include "platform/platform.h"
#include "util/numeric.h"

namespace {

const double Tol = IntersectTolerance;

// The point the step starts from: the newest phantom point (the slot above the
// reserved one) or the node before the pending one.
Node LastPoint() {
  int slot = Entry.PhantomEntry ? Table.lowestPhantom + 1 : Table.nodeCount - 1;
  if (slot < 0 || slot > TopNode) return Node{0, 0};  // no earlier point: the origin
  return Table.nodes[slot];
}

// Gives the pending slot back: the node count or the phantom floor.
void WithdrawPendingPoint() {
  if (Entry.PhantomEntry) {
    if (Table.lowestPhantom <= TopNode) ++Table.lowestPhantom;
  } else if (Table.nodeCount > 0) {
    --Table.nodeCount;
  }
}

int Fail(const std::string& message = "Intersect cannot be calculated") {
  PlatformMessageBox(message, "Intersection Error", MsgIconError);
  Entry.PendingStep = StepNone;
  WithdrawPendingPoint();
  return -1;
}

struct TypedLine {
  enum Form { None, X, Y, Points } form = None;
  double value = 0;  // X or Y
  int m = 0, n = 0;
  std::string mText, nText;  // m and n as typed, for messages
  double a = 0;              // sideways offset of m-n
};

TypedLine ParseLine(const std::string& line) {
  TypedLine typed;
  std::size_t comma = line.find(',');
  std::string f1 = line.substr(0, comma);
  typed.a = comma == std::string::npos ? 0.0 : ReadNumber(std::string_view(line).substr(comma + 1));
  if (f1.rfind("x=", 0) == 0) {
    typed.form = TypedLine::X;
    typed.value = ReadNumber(std::string_view(f1).substr(2));
  } else if (f1.rfind("y=", 0) == 0) {
    typed.form = TypedLine::Y;
    typed.value = ReadNumber(std::string_view(f1).substr(2));
  } else if (line.find('-') != std::string::npos) {
    typed.form = TypedLine::Points;
    std::size_t dash = f1.find('-');
    typed.mText = f1.substr(0, dash);
    typed.nText = dash == std::string::npos ? "" : f1.substr(dash + 1);
    typed.m = RoundToInt(ReadNumber(typed.mText));
    typed.n = RoundToInt(ReadNumber(typed.nText));
  }
  return typed;
}

// m and n must name points in use; the pending slot holds nothing yet.
bool CheckLinePoints(const TypedLine& typed, std::string& message) {
  if (!NamesPoint(typed.m, /*excludePending=*/true)) {
    message = PointMissingMessage(typed.mText);
    return false;
  }
  if (!NamesPoint(typed.n, /*excludePending=*/true)) {
    message = PointMissingMessage(typed.nText);
    return false;
  }
  return true;
}

bool Parallel(double m1, double m2) {
  double scale = std::max(std::fabs(m1), std::fabs(m2));
  // A zero-by-zero quotient (NaN) is not greater than the tolerance either.
  return !(std::fabs(m2 - m1) / scale > Tol);
}

}  // namespace

int IntersectLine(std::string& line, double& dx, double& dy) {
  const Node p0 = LastPoint();
  const double x0 = p0.x, y0 = p0.y;

  // The ray's direction. LastAngle keeps it in degrees, so that a later bare number
  // in the angle mode goes on in the direction of this step.
  enum Ray { Vertical, Horizontal, Angled } ray;
  double m1 = 0, b1 = 0;
  switch (Entry.PendingStep) {
    case StepUp:
    case StepDown:
      ray = Vertical;
      Entry.LastAngle = Entry.PendingStep == StepUp ? 90 : 270;
      break;
    case StepLeft:
    case StepRight:
      ray = Horizontal;
      Entry.LastAngle = Entry.PendingStep == StepRight ? 0 : 180;
      break;
    case StepAngle:
    case StepRightAngle:
      ray = Angled;
      break;
    case StepFixedRadius:
      if (Entry.FixedRadius != 0) return IntersectCircle(line, dx, dy);
      [[fallthrough]];
    default:
      Entry.PendingStep = StepNone;
      return 0;
  }
  const double angle = Entry.LastAngle * DegToRad;
  if (ray == Angled) {
    m1 = std::sin(angle) / std::cos(angle);
    b1 = y0 - x0 * m1;
  }

  TypedLine typed = ParseLine(line);
  if (typed.form == TypedLine::None) {
    Entry.PendingStep = StepNone;
    return 0;
  }

  // The line as vertical (x = lineX), horizontal (y = lineY) or sloped.
  enum Kind { LineVertical, LineHorizontal, LineSloped } kind;
  double lineX = 0, lineY = 0, m2 = 0, b2 = 0;
  if (typed.form == TypedLine::X) {
    kind = LineVertical;
    lineX = typed.value;
  } else if (typed.form == TypedLine::Y) {
    kind = LineHorizontal;
    lineY = typed.value;
  } else {
    std::string message;
    if (!CheckLinePoints(typed, message)) return Fail(message);
    const Node pm = Table.nodes[typed.m], pn = Table.nodes[typed.n];
    double ux = double(pn.x) - pm.x, uy = double(pn.y) - pm.y;
    double length = std::sqrt(ux * ux + uy * uy);
    if (length == 0) return Fail();  // m and n at the same place give no direction
    if (std::fabs(ux) / length < Tol) {
      kind = LineVertical;
      lineX = pm.x - typed.a * Sign(uy);
    } else if (std::fabs(uy) / length < Tol) {
      kind = LineHorizontal;
      lineY = pm.y + typed.a * Sign(ux);
    } else {
      kind = LineSloped;
      m2 = uy / ux;
      b2 = pm.y - m2 * pm.x + Sign(ux) * typed.a * std::sqrt(1 + m2 * m2);
    }
  }

  double x, y;
  if (kind == LineVertical) {
    // A vertical line meets only a ray that is not itself (nearly) vertical.
    if (!(std::fabs(std::cos(angle)) > Tol) || ray == Vertical) return Fail();
    x = lineX;
    y = ray == Horizontal ? y0 : m1 * lineX + b1;
  } else if (kind == LineHorizontal) {
    if (!(std::fabs(std::sin(angle)) > Tol) || ray == Horizontal) return Fail();
    y = lineY;
    x = ray == Vertical ? x0 : (lineY - b1) / m1;
  } else {
    if (Parallel(ray == Angled ? m1 : 0.0, m2)) return Fail();
    if (ray == Angled) {
      x = (b1 - b2) / (m2 - m1);
      y = m1 * x + b1;
    } else if (ray == Vertical) {
      x = x0;
      y = m2 * x0 + b2;
    } else {
      x = (y0 - b2) / m2;
      y = y0;
    }
  }

  Entry.PendingStep = StepNone;
  line.clear();
  dx = x - x0;
  dy = y - y0;
  return 0;
}

int IntersectCircle(std::string& line, double& x, double& y) {
  Entry.PendingStep = StepNone;
  const double r = Entry.FixedRadius;
  const Node c = LastPoint();
  const double x0 = c.x, y0 = c.y;

  TypedLine typed = ParseLine(line);
  double m2 = 0, b2 = 0;
  if (typed.form == TypedLine::Points) {
    std::string message;
    if (!CheckLinePoints(typed, message)) return Fail(message);
    const Node pm = Table.nodes[typed.m], pn = Table.nodes[typed.n];
    double ux = double(pn.x) - pm.x, uy = double(pn.y) - pm.y;
    if (ux == 0) {
      // A vertical line through m; the sideways offset is not applied.
      typed.form = TypedLine::X;
      typed.value = pm.x;
    } else {
      m2 = uy / ux;
      b2 = pm.y - m2 * pm.x + Sign(ux) * typed.a * std::sqrt(1 + m2 * m2);
    }
  }

  double first_x, first_y, second_x = 0, second_y = 0;
  bool two = false;
  if (typed.form == TypedLine::X || typed.form == TypedLine::Y) {
    const bool vertical = typed.form == TypedLine::X;
    const double centre = vertical ? x0 : y0, other = vertical ? y0 : x0;
    const double v = typed.value;
    if (!(v <= centre + r && v >= centre - r)) return Fail();
    const double h = std::sqrt(r * r - (v - centre) * (v - centre));
    two = h != 0;
    if (vertical) {
      second_x = v, second_y = other + h;
      first_x = v, first_y = two ? other - h : other;
    } else {
      second_x = other + h, second_y = v;
      first_x = two ? other - h : other, first_y = v;
    }
  } else if (typed.form == TypedLine::Points) {
    const double a = 1 + m2 * m2;
    const double b = -2 * (x0 - m2 * b2 + y0 * m2);
    const double cc = x0 * x0 + b2 * b2 + y0 * y0 - 2 * b2 * y0 - r * r;
    const double d = b * b - 4 * a * cc;
    if (!(d >= 0)) return Fail();
    const double root = std::sqrt(d);
    const double x1 = (-b + root) / (2 * a);
    two = root != 0;
    second_x = x1, second_y = m2 * x1 + b2;
    if (two) {
      first_x = (-b - root) / (2 * a);
      first_y = m2 * first_x + b2;
    } else {
      first_x = second_x, first_y = second_y;
    }
  } else {
    return 0;  // not a line: x and y stay as they are
  }

  // A meeting point beyond single precision cannot be stored as a point.
  auto storable = [](double v) { return std::isfinite(static_cast<float>(v)); };
  if (!storable(first_x) || !storable(first_y) ||
      (two && (!storable(second_x) || !storable(second_y))))
    return Fail("Coordinates out of range");
  if (two) {
    // The second meeting point takes the pending slot; the result goes to the next.
    if (!HasRoomForPoint()) return Fail(NoRoomMessage());
    int slot = Entry.PhantomEntry ? Table.lowestPhantom : Table.nodeCount;
    Table.nodes[slot] = Node{static_cast<float>(second_x), static_cast<float>(second_y)};
    if (Entry.PhantomEntry) {
      --Table.lowestPhantom;
    } else {
      ++Table.nodeCount;
    }
  }
  x = first_x;
  y = first_y;
  return 0;
}
