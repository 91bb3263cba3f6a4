#include "construct/point_slots.h"

#include <cmath>

#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "model/section_table.h"

bool IsUsedPointSlot(int k, bool excludePending) {
  int lastNode = Table.nodeCount;
  int lowest = Table.lowestPhantom;
  if (excludePending) {
    if (Entry.PhantomEntry) {
      ++lowest;
    } else {
      --lastNode;
    }
  }
  return (k >= 1 && k <= lastNode) || (k >= lowest && k <= TopNode && k >= 1);
}

bool NamesPoint(int k, bool excludePending) { return k == 0 || IsUsedPointSlot(k, excludePending); }

namespace {

std::string MissingMessage(const char* what, std::string_view typed) {
  const double value = ReadNumber(typed);
  if (std::fabs(value) < 1e7 && value == std::round(value))
    return what + NumberToText(value, 7) + " does not exist";
  return std::string(what) + " " + std::string(typed) + " does not exist";
}

}  // namespace

std::string PointMissingMessage(std::string_view typed) { return MissingMessage("Point", typed); }
std::string SectionMissingMessage(std::string_view typed) {
  return MissingMessage("Section", typed);
}

bool SectionExists(int s) { return s >= 1 && s <= Table.sectionCount; }

bool HasRoomForPoint() {
  if (Entry.PhantomEntry) return Table.lowestPhantom - 1 > Table.nodeCount;
  return Table.nodeCount + 1 < Table.lowestPhantom && Table.nodeCount + 1 <= TopNode;
}

bool HasRoomForNode() {
  return Table.nodeCount + 1 < Table.lowestPhantom && Table.nodeCount + 1 <= TopNode;
}

bool HasRoomForSection() { return Table.sectionCount < MaxSections; }

std::string NoRoomMessage() {
  if (Entry.PhantomEntry) return "Cannot add more phantom points";
  if (Table.lowestPhantom <= TopNode && Table.nodeCount + 1 >= Table.lowestPhantom)
    return "Cannot add more nodes: the next point slot holds a phantom point";
  return "Cannot add more nodes: all 250 point slots are in use";
}
