#include "construct/reflection.h"

#include <utility>

#include "construct/point_slots.h"
#include "model/section_table.h"

namespace {

// The node slots the copies of every section need.
int SlotsForCopies() {
  int slots = 0;
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    slots += KindOf(sec) == SectionKind::Polygon ? sec.lastNode - sec.firstNode + 1 : 1;
  }
  return slots;
}

float MirrorX(float v, Axis axis) { return axis == Axis::Y ? -v : v; }
float MirrorY(float v, Axis axis) { return axis == Axis::X ? -v : v; }
// An angle in degrees mirrored: -a about the x axis, 180 - a about the y axis.
float MirrorAngle(float a, Axis axis) { return axis == Axis::X ? -a : 180 - a; }

// The row of a filleted polygon node, for the reversed node order.
ParamRow MirrorFilletRow(ParamRow row, Axis axis) {
  const FilletView f(row);
  f.centreX() = MirrorX(f.centreX(), axis);
  f.centreY() = MirrorY(f.centreY(), axis);
  f.angle1() = MirrorAngle(f.angle1(), axis);
  f.angle2() = MirrorAngle(f.angle2(), axis);
  f.tangent1X() = MirrorX(f.tangent1X(), axis);
  f.tangent2X() = MirrorX(f.tangent2X(), axis);
  f.tangent1Y() = MirrorY(f.tangent1Y(), axis);
  f.tangent2Y() = MirrorY(f.tangent2Y(), axis);
  // The incoming edge becomes the outgoing one.
  std::swap(f.angle1(), f.angle2());
  std::swap(f.tangent1X(), f.tangent2X());
  std::swap(f.tangent1Y(), f.tangent2Y());
  return row;
}

ParamRow MirrorPieceRow(ParamRow row, SectionKind kind, Axis axis) {
  const PieceView piece(row);
  piece.centreX() = MirrorX(piece.centreX(), axis);
  piece.centreY() = MirrorY(piece.centreY(), axis);
  switch (kind) {
    case SectionKind::MergeData: {
      // A mirror image keeps its own Ixx and Iyy and has the opposite Ixy.
      const MergeDataView m(row);
      m.ixy() = -m.ixy();
      break;
    }
    case SectionKind::RadialBlock: {
      const RadialBlockView b(row);
      b.angle() = MirrorAngle(b.angle(), axis);
      b.width() = -b.width();  // the width changes side
      break;
    }
    default: {  // circle and arc segment: the arc runs from -a2 to -a1 (180-a2 to 180-a1)
      // A circle's angle columns mean nothing but are mirrored all the same, as the
      // saved file has always shown.
      const ArcSegmentView arc(row);
      arc.angle1() = MirrorAngle(arc.angle1(), axis);
      arc.angle2() = MirrorAngle(arc.angle2(), axis);
      std::swap(arc.angle1(), arc.angle2());
      break;
    }
  }
  return row;
}

}  // namespace

std::string ReflectionRoomProblem() {
  if (Table.sectionCount * 2 > MaxSections) return NoSectionRoomMessage;
  const int needed = SlotsForCopies();
  const int last = Table.nodeCount + needed;
  if (last >= Table.lowestPhantom || last > TopNode) return NoNodeRoomMessage(needed);
  return "";
}

void Reflect(Axis axis) {
  const std::uint8_t bit = axis == Axis::X ? XReflectCopy : YReflectCopy;
  (axis == Axis::X ? Table.xReflected : Table.yReflected) = true;
  const int n = Table.sectionCount;
  for (int s = 1; s <= n; ++s) {
    const Section& src = Table.sections[s];
    Section& copy = Table.sections[++Table.sectionCount];
    copy = src;
    copy.flags |= bit;
    if (KindOf(src) == SectionKind::Polygon) {
      const int m = src.lastNode - src.firstNode + 1;
      copy.firstNode = Table.nodeCount + 1;
      copy.lastNode = Table.nodeCount + m;
      for (int i = 0; i < m; ++i) {
        const int from = src.firstNode + i, to = copy.lastNode - i;
        const Node& p = Table.nodes[from];
        Table.nodes[to] = Node{MirrorX(p.x, axis), MirrorY(p.y, axis)};
        Table.params[to] = HasFillet(from) ? MirrorFilletRow(Table.params[from], axis) : ParamRow{};
      }
      Table.nodeCount += m;
    } else {
      const int slot = ++Table.nodeCount;
      copy.firstNode = copy.lastNode = slot;
      const Node& p = Table.nodes[src.firstNode];
      Table.nodes[slot] = Node{MirrorX(p.x, axis), MirrorY(p.y, axis)};
      Table.params[slot] = MirrorPieceRow(Table.params[src.firstNode], KindOf(src), axis);
    }
  }
}

void UndoReflection(Axis axis) {
  const std::uint8_t bit = axis == Axis::X ? XReflectCopy : YReflectCopy;
  for (int s = 1; s <= Table.sectionCount; ++s) {
    Section& sec = Table.sections[s];
    if (sec.flags & bit) sec.flags = static_cast<std::uint8_t>((sec.flags & ~bit) | Deleted);
  }
  (axis == Axis::X ? Table.xReflected : Table.yReflected) = false;
}
