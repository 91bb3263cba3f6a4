#include "files/log_listing.h"

#include <algorithm>

#include "model/report.h"
#include "util/text.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

constexpr const char* KindNames[SectionKindCount] = {"polygon", "circle", "arc segment",
                                                     "merge data", "radial block"};
constexpr const char* NodeColumns = "Node    x           y           r";
constexpr const char* ArcColumns = "        a1          a2          t";
constexpr const char* BlockColumns = "        angl        w           t";
constexpr const char* MergeColumns = "Node    xc          yc          A";
constexpr const char* MergeMomentColumns = "        Ixx         Iyy         Ixy";
constexpr const char* NumberMask = "* #";

bool ValidSlot(int k) { return k >= 1 && k <= TopNode; }

// Slot number, then three values, tab-separated and expanded.
std::string DataLine(int slot, float a, float b, float c, const std::string& mask) {
  return ExpandTabs(FormatValue(slot, NumberMask) + "\t" + FormatValue(a, mask) + "\t" +
                    FormatValue(b, mask) + "\t" + FormatValue(c, mask));
}

// The second line of a row: no slot number, the second entry line's three fields.
std::string SecondLine(const ParamRow& row, const std::string& mask) {
  const PieceView piece(row);
  return ExpandTabs("\t" + FormatValue(piece.second(0), mask) + "\t" +
                    FormatValue(piece.second(1), mask) + "\t" + FormatValue(piece.second(2), mask));
}

void ListSection(int s, const std::string& mask, std::vector<std::string>& lines) {
  const Section& sec = Table.sections[s];
  std::string status;
  if (sec.flags & Off) status += ", off state";
  if (sec.flags & Complete) status += ", Wt = " + TrimBlanks(FormatValue(sec.weight, mask));
  if (s > 1) lines.emplace_back();
  const char* kindName = sec.kind < SectionKindCount ? KindNames[sec.kind] : "unknown kind";
  lines.push_back("Section " + std::to_string(s) + " (" + kindName + status + ")");

  const SectionKind kind = KindOf(sec);
  if (kind == SectionKind::Polygon) {
    lines.emplace_back(NodeColumns);
    for (int i = sec.firstNode; i <= sec.lastNode; ++i) {
      if (!ValidSlot(i)) continue;
      lines.push_back(DataLine(i, Table.nodes[i].x, Table.nodes[i].y,
                               FilletView(Table.params[i]).radius(), mask));
    }
    return;
  }
  const int slot = sec.firstNode;
  if (!ValidSlot(slot) || sec.kind >= SectionKindCount) return;
  const ParamRow& row = Table.params[slot];
  if (kind == SectionKind::MergeData) {
    lines.emplace_back(MergeColumns);
    lines.emplace_back(MergeMomentColumns);
  } else {
    lines.emplace_back(NodeColumns);
    if (kind == SectionKind::ArcSegment) lines.emplace_back(ArcColumns);
    if (kind == SectionKind::RadialBlock) lines.emplace_back(BlockColumns);
  }
  const PieceView piece(row);
  lines.push_back(DataLine(slot, piece.centreX(), piece.centreY(), piece.size(), mask));
  if (kind != SectionKind::Circle) lines.push_back(SecondLine(row, mask));
}

}  // namespace

std::string ExpandTabs(const std::string& line) {
  std::string out;
  out.reserve(line.size() + 24);
  for (char ch : line) {
    if (ch == '\t') {
      out.append(6 - out.size() % 6, ' ');
    } else {
      out += ch;
    }
  }
  return out;
}

std::vector<std::string> LogLines() {
  const std::string mask = LogMask(Shared.SigDigits);
  std::vector<std::string> lines;
  const int count = std::min<int>(Table.sectionCount, MaxSections);
  for (int s = 1; s <= count; ++s) {
    if (Table.sections[s].flags & Deleted) continue;
    ListSection(s, mask, lines);
  }
  if (Table.lowestPhantom <= TopNode) {
    lines.emplace_back();
    lines.emplace_back("Phantom Points");
    for (int k = TopNode; k >= Table.lowestPhantom && k >= 1; --k) {
      lines.push_back(DataLine(k, Table.nodes[k].x, Table.nodes[k].y,
                               FilletView(Table.params[k]).radius(), mask));
    }
  }
  return lines;
}
