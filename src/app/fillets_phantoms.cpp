// Fillet radii for listed polygon nodes, and phantom points: reference points that
// are drawn but carry no area, entered with the node language's steps.
#include <cmath>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/main_panel.h"
#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/point_slots.h"
#include "construct/step_resolver.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "view/view_options.h"

std::string NodesText(const std::vector<int>& nodes) {
  std::string text = nodes.size() == 1 ? "node" : "nodes";
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    text += (i == 0 ? " " : ", ") + std::to_string(nodes[i]);
  }
  return text;
}

void FilletsBranch(OkCommandState& ok) {
  const std::vector<std::string> fields = SplitFields(ok.line, ",");
  if (fields.size() < 2) {
    MessageDialog("Must specify at least one node", MsgOk | MsgIconError, "Add Fillets");
    ok.ended = true;
    return;
  }
  // Every listed number must name a point some section owns before anything changes.
  for (std::size_t i = 1; i < fields.size(); ++i) {
    const int k = RoundToInt(ReadNumber(fields[i]));
    if (k < 1 || k > Table.nodeCount || SectionOfPoint(k) == 0) {
      return RefuseLine(ok, NoSectionPointMessage(k, fields[i]));
    }
  }
  const double r = ReadNumber(fields[0]);
  if (!std::isfinite(static_cast<float>(r))) {
    return RefuseLine(ok, "Radius out of range", "Fillets", MsgIconError);
  }
  if (r < 0) return RefuseLine(ok, "Fillet radius may not be negative", "Fillets", MsgIconError);
  // Each fillet is checked against those already made, the line's earlier ones too.
  bool applied = false;
  std::vector<int> misfits;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    const int k = RoundToInt(ReadNumber(fields[i]));
    if (KindOf(Table.sections[SectionOfPoint(k)]) != SectionKind::Polygon) {
      MessageDialog("Fillets may only be defined for polygon nodes", MsgOk | MsgIconError,
                    "Fillets");
      continue;
    }
    if (!FilletFits(r, k)) {
      misfits.push_back(k);
      continue;
    }
    SetFillet(r, k);
    applied = true;
  }
  if (!misfits.empty()) {
    MessageDialog("Fillet radius" + NumberToText(r, 7) + " does not fit at " + NodesText(misfits),
                  MsgOk | MsgIconError, "Fillets");
  }
  Shared.ResultsCurrent = false;
  if (applied) Shared.FileChanged = true;
  SelectBuildPanelItem(PanelItem::PolygonSection);
}

namespace {

// Gives the reserved slot back.
void Release() { ++Table.lowestPhantom; }

// A refused phantom line: the message, a pending step dropped, the panel shown
// again with the typed line kept for correction.
void RefusePhantomLine(OkCommandState& ok, const std::string& message, const char* caption) {
  Entry.PendingStep = StepNone;
  PlatformMessageBox(message, caption, MsgIconWarning);
  RefreshPanel();
  Panel.inputLine = ok.rawLine;
  Panel.selectionStart = 0;
  Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
  ok.ended = true;
}

// The undo rule: "un" removes the newest phantom point, "un k" phantom point k.
void UndoPhantom(const std::string& line, OkCommandState& ok) {
  const std::string typed = line.rfind("un", 0) == 0 ? line.substr(2) : line;
  int k = RoundToInt(ReadNumber(typed));
  Release();
  if (Table.lowestPhantom > TopNode) return;  // no phantom point to remove
  if (k < 0 || k > TopNode) return RefusePhantomLine(ok, PointMissingMessage(typed), "Input Error");
  // Any number below the phantom points (0 too) names the newest one.
  if (k < Table.lowestPhantom) k = Table.lowestPhantom;
  for (int i = k; i > Table.lowestPhantom; --i) Table.nodes[i] = Table.nodes[i - 1];
  Table.nodes[Table.lowestPhantom] = Node{0, 0};
  ++Table.lowestPhantom;
}

}  // namespace

void PhantomBranch(OkCommandState& ok) {
  const EntryMode& mode = ok.mode;
  auto has = [&](ModeWord w) { return ModeHas(mode, w); };
  // While phantom points are hidden only "show" works.
  if (!View.ShowPhantoms && !has(ModeWord::Show)) {
    // The command ends with the typed line as it is; a pending step is dropped.
    if (Entry.PendingStep != StepNone) {
      Entry.PendingStep = StepNone;
      RefreshPanel();
      Panel.inputLine = ok.rawLine;
      Panel.selectionStart = Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
    }
    ok.ended = true;
    return;
  }
  if (Table.lowestPhantom < Table.nodeCount + PhantomGap)
    return RefusePhantomLine(ok, "Cannot add more phantom points", "Phantom Points");
  --Table.lowestPhantom;  // the slot of the new point
  Entry.PhantomEntry = true;
  const int slot = Table.lowestPhantom;

  if (has(ModeWord::Undo) || ok.line.find("un") != std::string::npos) {
    UndoPhantom(ok.line, ok);
    return;
  }
  StepParams params;
  params.pointWord = ModeWord::Reference;
  params.fieldSeparators = ",;/\\";
  // Relative to the newest earlier phantom point, or to the origin for the first.
  params.base = slot + 1 <= TopNode ? Table.nodes[slot + 1] : Node{0, 0};
  // A right-angle step turns from the two newest phantom points.
  if (slot <= TopNode - 2) params.rightAngleEdge = {{Table.nodes[slot + 2], Table.nodes[slot + 1]}};
  params.typedAngle = true;
  params.typedFixedRadius = true;
  params.plainPair = !has(ModeWord::Show) && !has(ModeWord::Hide) &&
                     (has(ModeWord::Absolute) || has(ModeWord::Relative));
  params.zeroStepStoresNothing = true;
  const StepResult step = ResolveStep(mode, ok.line, params);
  switch (step.outcome) {
    case StepResult::MissingPoint:
      Release();
      return RefusePhantomLine(ok, step.message, step.caption);
    case StepResult::Failed:  // the intersection has shown its message, given the slot back
      RefreshPanel();
      ok.ended = true;
      return;
    case StepResult::NoRule:
      Release();
      if (has(ModeWord::Show) || has(ModeWord::Hide)) {
        // The line typed with these commands places no point.
        View.ShowPhantoms = has(ModeWord::Show);
      } else {
        ok.ended = true;  // no rule matches: nothing happens
      }
      return;
    case StepResult::Ignored:   // fewer than two phantom points to turn from
    case StepResult::ZeroStep:  // a zero step stores nothing
      Release();
      return;
    case StepResult::OutOfRange:
      // The reserved slot goes back, and with it the slot below, where a circle's
      // second meeting point may have been stored.
      for (int k = Table.lowestPhantom; k <= slot; ++k) ClearSlot(k);
      Table.lowestPhantom = slot + 1;
      return RefusePhantomLine(ok, step.message, step.caption);
    case StepResult::Point:
      // IntersectCircle may have stored a second meeting point in the reserved slot.
      Table.nodes[Table.lowestPhantom] = Node{step.x, step.y};
      return;
  }
}

void RemovePhantomsCommand() {
  for (int k = Table.lowestPhantom; k <= TopNode; ++k) Table.nodes[k] = Node{0, 0};
  Table.lowestPhantom = TopNode + 1;
  View.ShowPhantoms = true;
}
