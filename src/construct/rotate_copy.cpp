#include "construct/rotate_copy.h"

#include <cmath>
#include <vector>

#include "construct/point_slots.h"
#include "model/pieces.h"
#include "model/section_table.h"

namespace {

// (x, y) turned by theta radians about (x0, y0), by way of its polar form.
void Turn(double& x, double& y, double x0, double y0, double theta) {
  const Polar p = ToPolar(x - x0, y - y0);
  x = x0 + p.length * std::cos(p.angle + theta);
  y = y0 + p.length * std::sin(p.angle + theta);
}

// Own moments of an area whose body turns by theta: the moments about axes turned
// by -theta.
void TurnOwnMoments(ParamRow& row, double theta) {
  const MergeDataView m(row);
  const double ixx = m.ixx(), iyy = m.iyy(), ixy = m.ixy();
  const double mean = (ixx + iyy) / 2, half = (ixx - iyy) / 2;
  const double c = std::cos(2 * theta), s = std::sin(2 * theta);
  m.ixx() = static_cast<float>(mean + half * c + ixy * s);
  m.iyy() = static_cast<float>(mean - half * c - ixy * s);
  m.ixy() = static_cast<float>(-half * s + ixy * c);
}

// Fillet radii of slots first..last, so that the fillets can be rebuilt after a move.
std::vector<float> FilletRadii(int first, int last) {
  std::vector<float> radii;
  for (int k = first; k <= last; ++k) radii.push_back(FilletView(Table.params[k]).radius());
  return radii;
}

void RebuildFillets(int first, const std::vector<float>& radii) {
  for (std::size_t i = 0; i < radii.size(); ++i) {
    if (radii[i] == 0) continue;
    const int k = first + static_cast<int>(i);
    Table.params[k] = ParamRow{};  // a corner that no longer takes the fillet keeps none
    SetFillet(radii[i], k);
  }
}

// A direction in [0, 360) that stays below 360 once held in single precision.
double DirectionToStore(double degrees) {
  const double d = DirectionDegrees(degrees);
  return static_cast<float>(d) < 360 ? d : 0;
}

// Every node and parameter row of section s holds finite values.
bool SectionFinite(int s) {
  const Section& sec = Table.sections[s];
  for (int k = sec.firstNode; k <= sec.lastNode; ++k) {
    if (!std::isfinite(Table.nodes[k].x) || !std::isfinite(Table.nodes[k].y)) return false;
    for (float v : Table.params[k].c)
      if (!std::isfinite(v)) return false;
  }
  return true;
}

// Keeps what move did to the table when section s came out finite; otherwise puts
// the whole table back as it was.
template <class Move>
bool KeptWhenFinite(Move move) {
  const SectionTable before = Table;
  const int s = move();
  if (SectionFinite(s)) return true;
  Table = before;
  return false;
}

void TurnSection(int s, double x0, double y0, double angle) {
  // Whole turns go first, in double: a large angle held as it is loses its direction.
  const double turn = WithoutWholeTurns(angle);
  const double theta = turn * DegToRad;
  const Section& sec = Table.sections[s];
  if (KindOf(sec) == SectionKind::Polygon) {
    const std::vector<float> radii = FilletRadii(sec.firstNode, sec.lastNode);
    for (int k = sec.firstNode; k <= sec.lastNode; ++k) {
      double x = Table.nodes[k].x, y = Table.nodes[k].y;
      Turn(x, y, x0, y0, theta);
      Table.nodes[k] = Node{static_cast<float>(x), static_cast<float>(y)};
    }
    RebuildFillets(sec.firstNode, radii);
    return;
  }
  ParamRow& row = Table.params[sec.firstNode];
  const PieceView piece(row);
  double xc = piece.centreX(), yc = piece.centreY();
  Turn(xc, yc, x0, y0, theta);
  piece.centreX() = static_cast<float>(xc);
  piece.centreY() = static_cast<float>(yc);
  switch (KindOf(sec)) {
    case SectionKind::ArcSegment: {
      const ArcSegmentView arc(row);
      if (arc.thickness() < 0) {
        // A chord segment keeps the sign of its difference, without whole turns.
        const double d = WithoutWholeTurns(double(arc.angle2()) - arc.angle1());
        const double a1 = DirectionToStore(arc.angle1() + turn);
        arc.angle1() = static_cast<float>(a1);
        arc.angle2() = static_cast<float>(a1 + d);
      } else {
        arc.angle1() = static_cast<float>(DirectionToStore(arc.angle1() + turn));
        arc.angle2() = static_cast<float>(DirectionToStore(arc.angle2() + turn));
      }
      break;
    }
    case SectionKind::RadialBlock: {
      const RadialBlockView block(row);
      block.angle() = static_cast<float>(DirectionToStore(block.angle() + turn));
      break;
    }
    case SectionKind::MergeData:
      TurnOwnMoments(row, theta);
      break;
    default:
      break;
  }
}

void AppendCopy(int s, double dx, double dy) {
  const Section src = Table.sections[s];
  Section& copy = Table.sections[++Table.sectionCount];
  copy = src;
  const int m = KindOf(src) == SectionKind::Polygon ? src.lastNode - src.firstNode + 1 : 1;
  copy.firstNode = Table.nodeCount + 1;
  copy.lastNode = Table.nodeCount + m;
  Table.nodeCount += m;
  if (KindOf(src) == SectionKind::Polygon) {
    for (int i = 0; i < m; ++i) {
      const Node& p = Table.nodes[src.firstNode + i];
      Table.nodes[copy.firstNode + i] =
          Node{static_cast<float>(p.x + dx), static_cast<float>(p.y + dy)};
      Table.params[copy.firstNode + i] = ParamRow{};
    }
    RebuildFillets(copy.firstNode, FilletRadii(src.firstNode, src.lastNode));
    return;
  }
  // Every other kind, merge data included, gets a row of its own, moved.
  ParamRow row = Table.params[src.firstNode];
  const PieceView piece(row);
  piece.centreX() = static_cast<float>(piece.centreX() + dx);
  piece.centreY() = static_cast<float>(piece.centreY() + dy);
  Table.params[copy.firstNode] = row;
  Table.nodes[copy.firstNode] = Table.nodes[src.firstNode];
}

}  // namespace

bool RotateSection(int s, double x0, double y0, double angle) {
  return KeptWhenFinite([&] {
    TurnSection(s, x0, y0, angle);
    return s;
  });
}

std::string CopyRoomProblem(int s) {
  if (Table.sectionCount >= MaxSections) return NoSectionRoomMessage;
  const Section& sec = Table.sections[s];
  const int slots = KindOf(sec) == SectionKind::Polygon ? sec.lastNode - sec.firstNode + 1 : 1;
  const int last = Table.nodeCount + slots;
  if (last >= Table.lowestPhantom || last > TopNode) return NoNodeRoomMessage(slots);
  return "";
}

bool CopySection(int s, double dx, double dy) {
  return KeptWhenFinite([&] {
    AppendCopy(s, dx, dy);
    return Table.sectionCount;
  });
}
