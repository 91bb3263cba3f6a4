#include "construct/point_slots.h"

#include <algorithm>
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
  if (std::fabs(value) < 1e7 && value == std::round(value)) {
    std::string number = NumberToText(value, 7);
    if (number[0] != ' ') number.insert(0, " ");  // "Section -1", not "Section-1"
    return what + number + " does not exist";
  }
  return std::string(what) + " " + std::string(typed) + " does not exist";
}

}  // namespace

std::string PointMissingMessage(std::string_view typed) { return MissingMessage("Point", typed); }
std::string NoSectionPointMessage(int k, std::string_view typed) {
  if (k >= Table.lowestPhantom && k <= TopNode && k >= 1)
    return "Point" + NumberToText(k, 7) + " is a phantom point";
  return PointMissingMessage(typed);
}

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
  return NoNodeRoomMessage(1);
}

std::string NoNodeRoomMessage(int needed) {
  const bool phantoms = Table.lowestPhantom <= TopNode;
  const int free = std::max(0, std::min(Table.lowestPhantom, TopNode + 1) - 1 - Table.nodeCount);
  if (free == 0) {
    return phantoms ? "Cannot add more nodes: the next point slot holds a phantom point"
                    : "Cannot add more nodes: all 250 point slots are in use";
  }
  return "Cannot add more nodes:" + NumberToText(needed, 7) + " point slots are needed and" +
         NumberToText(free, 7) + (free == 1 ? " is free" : " are free") +
         (phantoms ? " below the phantom points" : "");
}

void ClearSlot(int k) {
  Table.nodes[k] = Node{0, 0};
  Table.params[k] = ParamRow{};
}
