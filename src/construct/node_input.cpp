#include "construct/node_input.h"

#include <cmath>

#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/panel_items.h"
#include "construct/point_slots.h"
#include "construct/step_resolver.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"

namespace {

// The section that takes new nodes: the last one while it is an open polygon.
int OpenPolygon() {
  if (Table.sectionCount < 1) return 0;
  const Section& last = Table.sections[Table.sectionCount];
  return KindOf(last) == SectionKind::Polygon && last.flags == 0 ? Table.sectionCount : 0;
}

NodeInputResult Undo() {
  NodeInputResult result;
  if (Table.nodeCount == 0 || Table.sectionCount == 0) return result;
  const int s = Table.sectionCount;
  Section& sec = Table.sections[s];
  if (KindOf(sec) != SectionKind::Polygon) {
    PlatformMessageBox("Last section is not a polygon", "Undo Nodes", MsgIconInformation);
    return result;
  }
  if (sec.flags != 0) {
    bool filleted = false;
    for (int k = sec.firstNode; k <= sec.lastNode; ++k) filleted = filleted || HasFillet(k);
    if (filleted && MessageDialog("Fillets must be removed... ok to continue?",
                                  MsgYesNo | MsgIconQuestion, "Undo Nodes") != ResultYes) {
      return result;
    }
    Table.CurrentSection = s;
    sec.flags = 0;
    // A fillet's columns are derived from its radius: without the radius the row is empty.
    for (int k = sec.firstNode; k <= sec.lastNode; ++k) Table.params[k] = ParamRow{};
  } else if (sec.firstNode < sec.lastNode) {
    ClearSlot(sec.lastNode);
    --sec.lastNode;
    --Table.nodeCount;
  } else {
    ClearSlot(sec.firstNode);
    sec = Section{};
    --Table.sectionCount;
    Table.CurrentSection = Table.sectionCount;
    if (Table.nodeCount > 0) --Table.nodeCount;
  }
  // Without nodes no section is left.
  if (Table.nodeCount == 0) Table.sectionCount = 0;
  Entry.PendingStep = StepNone;
  Shared.FileChanged = true;
  Shared.ResultsCurrent = false;
  result.outcome = NodeInputResult::Undone;
  return result;
}

// Every close moves the panel on to item 1; only an open polygon changes.
NodeInputResult Close() {
  NodeInputResult result;
  result.outcome = NodeInputResult::Closed;
  const int s = Table.CurrentSection;
  if (s < 1 || s > Table.sectionCount) return result;
  Section& sec = Table.sections[s];
  if (KindOf(sec) != SectionKind::Polygon || sec.flags != 0) return result;
  sec.flags = Complete;
  Shared.ResultsCurrent = false;
  Shared.FileChanged = true;
  return result;
}

NodeInputResult Refuse(const std::string& message, const char* caption) {
  PlatformMessageBox(message, caption, MsgIconWarning);
  NodeInputResult result;
  result.outcome = NodeInputResult::Refused;
  return result;
}

NodeInputResult Append(const EntryMode& mode, const std::string& line) {
  NodeInputResult result;
  const int open = OpenPolygon();
  if (open == 0 && !HasRoomForSection()) {
    Entry.PendingStep = StepNone;
    return Refuse(NoSectionRoomMessage, CapacityCaption);
  }
  if (!HasRoomForNode()) {
    Entry.PendingStep = StepNone;
    Entry.PhantomEntry = false;
    return Refuse(NoRoomMessage(), CapacityCaption);
  }

  // The pending node is counted while its place is worked out, so that the last
  // point is node N-1 and a failed intersection can withdraw it.
  const int first = ++Table.nodeCount;
  StepParams params;
  params.pointWord = ModeWord::Defined;
  params.base = Table.nodes[first - 1];
  if (first >= 3) params.rightAngleEdge = {{Table.nodes[first - 2], Table.nodes[first - 1]}};
  const StepResult step = ResolveStep(mode, line, params);
  // IntersectCircle may have stored a first point in the pending slot.
  const int slot = Table.nodeCount;
  switch (step.outcome) {
    case StepResult::MissingPoint:
      Table.nodeCount = first - 1;
      return Refuse(step.message, step.caption);
    case StepResult::Ignored:  // a right-angle turn needs the last two nodes
      Table.nodeCount = first - 1;
      return result;
    case StepResult::Failed:
      result.outcome = NodeInputResult::Failed;
      return result;
    case StepResult::OutOfRange:
      Table.nodeCount = first - 1;
      for (int k = first; k <= slot; ++k) ClearSlot(k);
      return Refuse(step.message, step.caption);
    default:
      break;
  }
  Table.nodes[slot] = Node{step.x, step.y};
  Table.params[slot] = ParamRow{};

  if (open == 0) {
    const int s = ++Table.sectionCount;
    Table.sections[s] = Section{static_cast<std::uint8_t>(SectionKind::Polygon), 0, first, slot, 1.0f};
    Table.CurrentSection = s;
    result.newSection = true;
  } else {
    Table.sections[open].lastNode = slot;
    Table.CurrentSection = open;
  }
  Entry.PendingStep = StepNone;
  Shared.FileChanged = true;
  Shared.ResultsCurrent = false;
  result.outcome = NodeInputResult::Placed;
  return result;
}

// A line whose angle or radius is no finite number: refused before anything is kept.
OkInput& Refused(OkInput& in, const char* message) {
  PlatformMessageBox(message, "Input Error", MsgIconWarning);
  in.refused = true;
  return in;
}

}  // namespace

std::string PendingStepHeading() {
  std::string word;
  switch (Entry.PendingStep) {
    case StepUp: word = "up"; break;
    case StepDown: word = "down"; break;
    case StepLeft: word = "left"; break;
    case StepRight: word = "right"; break;
    case StepAngle: word = "at" + NumberToText(Entry.LastAngle) + " degrees"; break;
    case StepRightAngle: word = "at right angle"; break;
    default: break;
  }
  // The heading is held in a 32-byte text field.
  return ("How far " + word + "...").substr(0, 31);
}

OkInput ReadOkInput(const std::string& heading, const std::string& modeLabel,
                    const std::string& inputLine) {
  OkInput in;
  in.heading = ReadHeading(heading);
  in.mode = ReadEntryMode(modeLabel);
  std::string line = inputLine;
  if (in.heading != Heading::PhantomPoints && Entry.PendingStep == StepNone)
    Entry.PhantomEntry = false;
  if (in.mode.item == PanelItem::FixedRadius) {
    Entry.PhantomEntry = true;
    line += '\\';
  }
  in.line = CleanLine(line);

  if (Entry.PendingStep != StepNone) {
    in.heading = Entry.PhantomEntry ? Heading::PhantomPoints : Heading::PolygonSection;
    in.mode = EntryMode{PanelItem::None, Entry.PendingStep};
    return in;
  }

  const std::string& l = in.line;
  PendingStepKind step = StepNone;
  if (l == "u") {
    step = StepUp;
  } else if (l == "d") {
    step = StepDown;
  } else if (l == "l") {
    step = StepLeft;
  } else if (l == "r") {
    step = StepRight;
  } else if (l == "/") {
    step = StepRightAngle;
    Entry.LastAngle += 90;
  } else if (std::size_t slash = l.find('/'); slash != std::string::npos) {
    const double angle = ReadNumber(std::string_view(l).substr(slash + 1));
    if (!std::isfinite(angle)) return Refused(in, "Angle out of range");
    Entry.LastAngle = angle;
    const double distance = ReadNumber(std::string_view(l).substr(0, slash));
    step = Entry.LastAngle == 0 || distance != 0 ? StepNone : StepAngle;
  } else if (!l.empty() && l.back() == '\\') {
    const double radius = ReadNumber(std::string_view(l).substr(0, l.find('\\')));
    if (!std::isfinite(radius)) return Refused(in, "Radius out of range");
    Entry.FixedRadius = radius;
    step = Entry.FixedRadius == 0 ? StepNone : StepFixedRadius;
  }
  if (step != StepNone) {
    Entry.PendingStep = step;
    in.pendingStarted = true;
  }
  return in;
}

NodeInputResult ApplyNodeInput(const EntryMode& mode, const std::string& line) {
  if (ModeHas(mode, ModeWord::Close) && !ContainsAny(line, StepSeparators)) return Close();
  if ((ModeHas(mode, ModeWord::Undo) && !ContainsAny(line, StepSeparators)) || line == "un")
    return Undo();
  return Append(mode, line);
}
