#include "files/table_invariants.h"

#include "model/section_table.h"

const char* TableInvariantFault() {
  const SectionTable& t = Table;
  if (t.sectionCount < 0 || t.sectionCount > MaxSections) return "section count out of range";
  if (t.nodeCount < 0 || t.nodeCount > TopNode) return "node count out of range";
  if (t.lowestPhantom < 1 || t.lowestPhantom > TopNode + 1) return "phantom slot out of range";
  if (t.nodeCount >= t.lowestPhantom) return "nodes run into the phantom points";
  int usedTop = 0;
  for (int s = 1; s <= t.sectionCount; ++s) {
    const Section& sec = t.sections[s];
    if (sec.kind >= SectionKindCount) return "unknown section kind";
    if (sec.flags & ~(Complete | Off | Deleted | XReflectCopy | YReflectCopy)) {
      return "undefined flag bits";
    }
    if (sec.firstNode < 1 || sec.lastNode > t.nodeCount || sec.firstNode > sec.lastNode) {
      return "section slots outside 1..nodeCount";
    }
    if (KindOf(sec) == SectionKind::Polygon) {
      if (sec.firstNode <= usedTop) return "polygon slots overlap or are out of order";
      usedTop = sec.lastNode;
      continue;
    }
    if (sec.firstNode != sec.lastNode) return "a single-slot section spans several slots";
    if (sec.firstNode > usedTop) {
      usedTop = sec.firstNode;
      continue;
    }
    bool shared = false;
    for (int u = 1; u < s && !shared; ++u) {
      shared = t.sections[u].kind == sec.kind && t.sections[u].firstNode == sec.firstNode;
    }
    if (!shared) return "a section reuses a slot of another kind";
  }
  return nullptr;
}
