#include "construct/node_input.h"

#include <cmath>
#include <limits>
#include <optional>

#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/intersect.h"
#include "construct/panel_items.h"
#include "construct/point_slots.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"

namespace {

bool Contains(std::string_view line, char letter) { return line.find(letter) != std::string_view::npos; }

// The section that takes new nodes: the last one while it is an open polygon.
int OpenPolygon() {
  if (Table.sectionCount < 1) return 0;
  const Section& last = Table.sections[Table.sectionCount];
  return KindOf(last) == SectionKind::Polygon && last.flags == 0 ? Table.sectionCount : 0;
}

void ClearSlot(int slot) {
  Table.nodes[slot] = Node{0, 0};
  Table.params[slot] = ParamRow{};
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

NodeInputResult Append(const EntryMode& mode, std::string line) {
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
  const int n = first;
  auto withdraw = [&]() { Table.nodeCount = first - 1; };

  const bool pending = Entry.PendingStep != StepNone;
  double x = FieldNumber(line, ",;/", 0);
  double y = FieldNumber(line, ",;/", 1);
  const bool bare = pending || !ContainsAny(line, StepSeparators);

  auto intersect = [&]() { return pending ? IntersectLine(line, x, y) : 0; };
  auto failed = [&]() {
    result.outcome = NodeInputResult::Failed;
    return result;
  };

  auto has = [&](ModeWord word) { return ModeHas(mode, word); };
  if ((has(ModeWord::Defined) && bare) || (!line.empty() && line[0] == '#')) {
    const std::string_view typed = line[0] == '#' ? std::string_view(line).substr(1) : line;
    const int k = RoundToInt(ReadNumber(typed));
    if (!NamesPoint(k, /*excludePending=*/true)) {
      withdraw();
      Entry.PendingStep = StepNone;
      return Refuse(PointMissingMessage(typed), "Input Error");
    }
    x = Table.nodes[k].x;
    y = Table.nodes[k].y;
    line = ",";
  } else if (const std::optional<DirectionRule> dir = MatchDirection(mode, bare, line)) {
    line = RemoveChar(line, dir->letter);
    if (intersect() != 0) return failed();
    // The number left after the letter; with none left the step stays as read.
    if (!line.empty()) {
      const double value = ReadNumber(line);
      x = dir->dx * value;
      y = dir->dy * value;
    }
  } else if ((has(ModeWord::RtAngle) && bare) || (!line.empty() && line.back() == '/')) {
    if (n < 3) {
      // A right-angle turn needs the last two nodes; the line is ignored.
      withdraw();
      Entry.PendingStep = StepNone;
      return result;
    }
    RightAngleStep(Table.nodes[n - 2], Table.nodes[n - 1], x, y);
    if (intersect() != 0) return failed();
  } else if ((has(ModeWord::Angle) && bare) || Contains(line, '/')) {
    const double d = x;
    const double theta = Entry.LastAngle * DegToRad;
    x = d * std::cos(theta);
    y = d * std::sin(theta);
    if (intersect() != 0) return failed();
  } else if (has(ModeWord::Fixed) && bare && pending) {
    // A fixed-radius step: the point on the circle around the last node.
    if (IntersectCircle(line, x, y) != 0) return failed();
    line = ",";
  }

  // IntersectCircle may have stored a first point in the pending slot.
  const int slot = Table.nodeCount;
  double px = x, py = y;
  if (line.find(',') == std::string::npos) {
    px = Table.nodes[slot - 1].x + x;
    py = Table.nodes[slot - 1].y + y;
  }
  const float fx = static_cast<float>(px), fy = static_cast<float>(py);
  if (!std::isfinite(fx) || !std::isfinite(fy)) {
    Table.nodeCount = first - 1;
    for (int k = first; k <= slot; ++k) ClearSlot(k);
    Entry.PendingStep = StepNone;
    return Refuse("Coordinates out of range", "Input Error");
  }
  Table.nodes[slot] = Node{fx, fy};
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

void RightAngleStep(const Node& a, const Node& b, double& x, double& y) {
  const double theta = ToPolar(double(b.x) - a.x, double(b.y) - a.y).angle;
  const double d = x;
  x = -d * std::sin(theta);
  y = d * std::cos(theta);
  Entry.LastAngle = theta * 180 / Pi + 90;
}

std::optional<DirectionRule> MatchDirection(const EntryMode& mode, bool bare, std::string_view line) {
  static constexpr struct {
    ModeWord word;
    DirectionRule rule;
  } rules[] = {
      {ModeWord::Up, {'u', 0, 1}},
      {ModeWord::Down, {'d', 0, -1}},
      {ModeWord::Left, {'l', -1, 0}},
      {ModeWord::Right, {'r', 1, 0}},
  };
  for (const auto& r : rules)
    if ((ModeHas(mode, r.word) && bare) || Contains(line, r.rule.letter)) return r.rule;
  return std::nullopt;
}

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
