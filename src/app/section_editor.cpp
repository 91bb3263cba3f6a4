// The two-step editor of one polygon node or one section: Edit data shows the
// stored values, Change values stores what was changed of them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_panel.h"
#include "app/section_entry.h"
#include "construct/input_text.h"
#include "construct/point_slots.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "util/bits.h"
#include "util/numeric.h"

namespace {

// A number in number-to-text form as the editor shows a stored single value.
std::string Shown(float v) { return NumberToText(v, 7); }

void RefuseEdit(OkCommandState& ok, const std::string& message) {
  Dispatch.EntryStep = 0;
  RefuseLine(ok, message);
}

// The line typed under Change values, against the text the editor showed. A field
// left as shown keeps the stored single value: the shown text has seven digits and
// need not read back to the same value, and an unchanged line must change nothing.
class EditedLine {
 public:
  EditedLine(const std::string& typed, const std::string& shown)
      : typed_(SplitFields(CleanLine(typed), ",")), shown_(SplitFields(CleanLine(shown), ",")) {}
  bool Changed(std::size_t i) const {
    return i >= typed_.size() || i >= shown_.size() || typed_[i] != shown_[i];
  }
  bool AnyChanged() const { return typed_.size() != shown_.size() || Changed(0) || Changed(1) || Changed(2); }
  float Value(std::size_t i, double typed, float stored) const {
    return Changed(i) ? static_cast<float>(typed) : stored;
  }

 private:
  std::vector<std::string> typed_, shown_;
};

bool SameRow(const ParamRow& a, const ParamRow& b) {
  for (int k = 0; k < 10; ++k)
    if (BitCopy<std::uint32_t>(a.c[k]) != BitCopy<std::uint32_t>(b.c[k])) return false;
  return true;
}

// A polygon node and its two neighbours.
std::array<int, 3> NodeAndNeighbours(int node) {
  const Section& sec = Table.sections[SectionOfPoint(node)];
  const int before = node == sec.firstNode ? sec.lastNode : node - 1;
  const int after = node == sec.lastNode ? sec.firstNode : node + 1;
  return {before, node, after};
}

// The nodes among the moved node and its neighbours whose fillets would no longer
// fit if the node moved there with that radius; the table is left as it was.
std::vector<int> MisfitsAfterMove(int node, Node moved, float radius) {
  const Node oldNode = Table.nodes[node];
  float& nodeRadius = FilletView(Table.params[node]).radius();
  const float oldRadius = nodeRadius;
  Table.nodes[node] = moved;
  nodeRadius = radius;
  std::vector<int> misfits;
  for (int k : NodeAndNeighbours(node))
    if (!FilletFits(FilletView(Table.params[k]).radius(), k)) misfits.push_back(k);
  Table.nodes[node] = oldNode;
  nodeRadius = oldRadius;
  return misfits;
}

// Moves a polygon node; its own fillet (of the given radius) and its neighbours'
// fillets are rebuilt for the moved node.
void MoveFilletedNode(int node, Node moved, float radius) {
  Table.nodes[node] = moved;
  for (int k : NodeAndNeighbours(node)) {
    const float r = k == node ? radius : FilletView(Table.params[k]).radius();
    if (r == 0) continue;
    Table.params[k] = ParamRow{};
    SetFillet(r, k);
  }
}

// The edited node still belongs to the edited section.
bool EditTargetValid() {
  const int s = Table.CurrentSection;
  if (!SectionExists(s)) return false;
  const Section& sec = Table.sections[s];
  return Dispatch.EditNode >= sec.firstNode && Dispatch.EditNode <= sec.lastNode;
}

}  // namespace

void EditDataBranch(OkCommandState& ok) {
  // Edit data always starts afresh from its own line.
  Dispatch.EntryStep = 0;
  const std::vector<std::string> fields = SplitFields(ok.line, ",");
  const std::string nodeText = fields[0], sectionText = fields.size() > 1 ? fields[1] : "";
  int node = RoundToInt(ReadNumber(nodeText));
  int section = RoundToInt(ReadNumber(sectionText));
  if (node == 0 && section == 0) {
    ok.ended = true;
    return;
  }
  if (node != 0) {
    section = node >= 1 && node <= Table.nodeCount ? SectionOfPoint(node) : 0;
    if (section == 0) return RefuseEdit(ok, NoSectionPointMessage(node, nodeText));
  } else {
    if (!SectionExists(section)) return RefuseEdit(ok, SectionMissingMessage(sectionText));
    node = Table.sections[section].lastNode;
  }
  Table.CurrentSection = section;
  Dispatch.EditNode = node;
  Dispatch.EntryStep = 1;

  const Section& sec = Table.sections[section];
  const ParamRow& row = Table.params[node];
  Panel.modeLabel = "node" + NumberToText(node, 7) + ", section" + NumberToText(section, 7);
  std::string text;
  if (KindOf(sec) == SectionKind::Polygon) {
    SetStatusText("x , y , r", 1);
    text = Shown(Table.nodes[node].x) + "," + Shown(Table.nodes[node].y) + "," +
           Shown(FilletView(row).radius());
  } else {
    SetStatusText(KindOf(sec) == SectionKind::MergeData ? "xc , yc , area" : "xc , yc , r", 1);
    const PieceView piece(row);
    text = Shown(piece.centreX()) + ", " + Shown(piece.centreY()) + ", " + Shown(piece.size());
  }
  Dispatch.EditOriginal = text;
  Dispatch.EditShown = text;
  Panel.inputLine = text;
  Panel.selectionStart = Panel.selectionEnd = static_cast<int>(text.size());
  Panel.heading = HeadingText(Heading::ChangeValues);
  ok.ended = true;
}

void ChangeValuesBranch(OkCommandState& ok) {
  if (!EditTargetValid() || Dispatch.EntryStep < 1 || Dispatch.EntryStep > 2) {
    Dispatch.EntryStep = 0;
    return;  // nothing is being edited: the common tail shows the panel again
  }
  const int node = Dispatch.EditNode;
  const Section& sec = Table.sections[Table.CurrentSection];
  const double f1 = FieldNumber(ok.line, ",", 0), f2 = FieldNumber(ok.line, ",", 1),
               f3 = FieldNumber(ok.line, ",", 2);
  if (!StorableValues(ok, {f1, f2, f3})) return;
  const EditedLine edited(ok.rawLine, Dispatch.EditShown);

  if (KindOf(sec) == SectionKind::Polygon) {
    if (f3 < 0) return RefuseLine(ok, "Fillet radius may not be negative", "Fillets", MsgIconError);
    const Node moved{edited.Value(0, f1, Table.nodes[node].x), edited.Value(1, f2, Table.nodes[node].y)};
    // A radius of 0 keeps the node's own fillet.
    const float stored = FilletView(Table.params[node]).radius();
    const float radius = f3 != 0 ? edited.Value(2, f3, stored) : stored;
    if (edited.AnyChanged()) {
      const std::vector<int> misfits = MisfitsAfterMove(node, moved, radius);
      if (!misfits.empty()) {
        const char* what = misfits.size() == 1 ? "Fillet does not fit at " : "Fillets do not fit at ";
        return RefuseLine(ok, what + NodesText(misfits), "Fillets", MsgIconError);
      }
    }
    Dispatch.EntryStep = 0;
    Dispatch.EditResult = ok.rawLine;
    if (!edited.AnyChanged()) return;  // accepted as shown: nothing is stored
    MoveFilletedNode(node, moved, radius);
    Table.CurrentSection = SectionOfPoint(node);
    Shared.ResultsCurrent = false;
    return;
  }

  ParamRow& row = Table.params[node];
  const PieceView piece(row);
  if (Dispatch.EntryStep == 1) {
    if (FieldCount(ok.line) != 3) {
      // The edit starts again from Edit data, with the edited point offered.
      Dispatch.EntryStep = 0;
      ShowMissingValues(3);
      RefreshPanel();
      Panel.inputLine = NumberToText(node, 7);
      Panel.selectionStart = 0;
      Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
      ok.ended = true;
      return;
    }
    Dispatch.EditResult = ok.rawLine;
    const ParamRow before = row;
    piece.centreX() = edited.Value(0, f1, piece.centreX());
    piece.centreY() = edited.Value(1, f2, piece.centreY());
    piece.size() = edited.Value(2, f3, piece.size());
    // The first line is stored at once: the file has changed even if the edit is
    // left before its second line.
    if (!SameRow(before, row)) Shared.FileChanged = true;
    Shared.ResultsCurrent = false;
    if (KindOf(sec) == SectionKind::Circle) {
      Dispatch.EntryStep = 0;
      return;
    }
    SetStatusText(SecondPrompt(KindOf(sec), true), 1);
    const std::string text =
        Shown(piece.second(0)) + ", " + Shown(piece.second(1)) + ", " + Shown(piece.second(2));
    Dispatch.EditOriginal += ", " + text;
    Dispatch.EditShown = text;
    Panel.inputLine = text;
    Panel.selectionStart = Panel.selectionEnd = static_cast<int>(text.size());
    Dispatch.EntryStep = 2;
    ok.ended = true;
    return;
  }
  Dispatch.EntryStep = 0;
  Dispatch.EditResult += ", " + ok.rawLine;
  if (!edited.AnyChanged()) return;
  StoreSecondLine(row, KindOf(sec), edited.Value(0, f1, piece.second(0)),
                  edited.Value(1, f2, piece.second(1)), edited.Value(2, f3, piece.second(2)));
  Shared.ResultsCurrent = false;
}
