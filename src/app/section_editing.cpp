// Commands on whole sections: Begin Again, Delete and Restore Section, weights,
// the on/off toggle, the reflections and their undo, rotate and copy.
#include <cmath>
#include <string>

#include "app/commands.h"
#include "app/main_panel.h"
#include "construct/input_text.h"
#include "construct/point_slots.h"
#include "construct/reflection.h"
#include "construct/rotate_copy.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "view/view_options.h"

// Commands on whole sections wait until the polygon being drawn is closed: an open
// outline switched off, deleted or mirrored would be left behind unfinished.
bool RefusedWhilePolygonOpen() {
  const int last = Table.sectionCount;
  if (last < 1 || Table.sections[last].flags != 0) return false;
  MessageDialog("Must close polygon first", MsgOk | MsgIconError, "Data Error");
  return true;
}

namespace {

// A rotation or copy whose results would not be finite in single precision.
constexpr const char* OutOfRangeMessage = "Coordinates out of range";

CommandId ReflectionMenu(Axis axis) { return axis == Axis::X ? MenuXReflection : MenuYReflection; }
bool Reflected(Axis axis) { return axis == Axis::X ? Table.xReflected : Table.yReflected; }

// A section that changed as a whole: the results and the axes drawn from them go.
void SectionsChanged() {
  Shared.ResultsCurrent = false;
  Shared.FileChanged = true;
}

// Reflects when the copies fit; false after the refusal's message.
bool MakeReflection(Axis axis) {
  const std::string problem = ReflectionRoomProblem();
  if (!problem.empty()) {
    PlatformMessageBox(problem, CapacityCaption, MsgIconWarning);
    return false;
  }
  Reflect(axis);
  SectionsChanged();
  View.showPrincipalAxes = false;
  SetMenuCaption(ReflectionMenu(axis), axis == Axis::X ? "Undo x-reflection" : "Undo y-reflection");
  return true;
}

void UndoReflectionCommand(Axis axis) {
  UndoReflection(axis);
  SectionsChanged();
  View.showPrincipalAxes = false;
  SetMenuCaption(ReflectionMenu(axis), axis == Axis::X ? "X-reflection" : "Y-reflection");
}

// The section number typed in field i, refused with a message when it names none.
bool TypedSection(OkCommandState& ok, std::size_t i, int& s) {
  const std::vector<std::string> fields = SplitFields(ok.line, ",");
  const std::string typed = i < fields.size() ? fields[i] : "";
  s = RoundToInt(ReadNumber(typed));
  if (SectionExists(s)) return true;
  RefuseLine(ok, SectionMissingMessage(typed));
  return false;
}

void ReflectionBranch(OkCommandState& ok, Axis axis) {
  if (Reflected(axis)) {
    return RefuseLine(ok, "Already reflected", axis == Axis::X ? "X Reflection" : "Y Reflection",
                      MsgIconInformation);
  }
  if (!MakeReflection(axis)) ok.ended = true;
}

void RotateBranch(OkCommandState& ok) {
  if (FieldCount(ok.line) != 3) {
    Dispatch.RequiredCount = 3;
    return;
  }
  int s;
  if (!TypedSection(ok, 0, s)) return;
  const std::vector<std::string> fields = SplitFields(ok.line, ",");
  const int k = RoundToInt(ReadNumber(fields[1]));
  if (!NamesPoint(k, /*excludePending=*/false)) {
    return RefuseLine(ok, PointMissingMessage(fields[1]));
  }
  const double angle = ReadNumber(fields[2]);
  if (!StorableValues(ok, {angle})) return;
  // The pivot is read before anything moves: it may be a node of the section itself.
  const Node pivot = Table.nodes[k];
  if (!RotateSection(s, pivot.x, pivot.y, angle)) return RefuseLine(ok, OutOfRangeMessage);
  SectionsChanged();
}

void CopyBranch(OkCommandState& ok) {
  if (FieldCount(ok.line) != 3) {
    Dispatch.RequiredCount = 3;
    return;
  }
  int s;
  if (!TypedSection(ok, 0, s)) return;
  const double dx = FieldNumber(ok.line, ",", 1), dy = FieldNumber(ok.line, ",", 2);
  if (!StorableValues(ok, {dx, dy})) return;
  const std::string problem = CopyRoomProblem(s);
  if (!problem.empty()) {
    return RefuseLine(ok, problem, CapacityCaption);
  }
  if (!CopySection(s, dx, dy)) return RefuseLine(ok, OutOfRangeMessage);
  SectionsChanged();
}

void WeightBranch(OkCommandState& ok) {
  if (FieldCount(ok.line) != 2) {
    Dispatch.RequiredCount = 2;
    return;
  }
  int s;
  if (!TypedSection(ok, 0, s)) return;
  const double weight = FieldNumber(ok.line, ",", 1);
  if (!StorableValues(ok, {weight})) return;
  Table.sections[s].weight = static_cast<float>(weight);
  SectionsChanged();
}

void ToggleBranch(OkCommandState& ok) {
  if (RefusedWhilePolygonOpen()) {
    ok.ended = true;
    return;
  }
  int s;
  if (!TypedSection(ok, 0, s)) return;
  Table.sections[s].flags ^= Off;
  SectionsChanged();
  MainWindowCommand(MenuNormal);
  ok.ended = true;
}

// Delete and Restore ask for a section number; a cancelled question does nothing.
int AskSection(const char* caption) {
  const std::string answer = CleanLine(InputDialog("Section number:", caption));
  if (answer.empty()) return 0;
  const int s = RoundToInt(ReadNumber(answer));
  if (SectionExists(s)) return s;
  PlatformMessageBox(SectionMissingMessage(answer), "Input Error", MsgIconWarning);
  return 0;
}

void SetDeleted(int s, bool deleted) {
  std::uint8_t& flags = Table.sections[s].flags;
  flags = static_cast<std::uint8_t>(deleted ? flags | Deleted : flags & ~Deleted);
  Shared.ResultsCurrent = false;
  View.showPrincipalAxes = false;
  MainWindowCommand(MenuNormal);
}

}  // namespace

void BuildBranch(OkCommandState& ok) {
  switch (ok.mode.item) {
    case PanelItem::XReflection: return ReflectionBranch(ok, Axis::X);
    case PanelItem::YReflection: return ReflectionBranch(ok, Axis::Y);
    case PanelItem::RotateSection: return RotateBranch(ok);
    case PanelItem::CopySection: return CopyBranch(ok);
    case PanelItem::SectionWeights: return WeightBranch(ok);
    case PanelItem::ToggleOnOff: return ToggleBranch(ok);
    default: return;  // "Build" alone: only the common tail
  }
}

void BeginAgainCommand() {
  if (MessageDialog("Begin again?", MsgYesNo | MsgIconWarning, "Clear Screen") == ResultYes)
    StartPolygon();
}

void DeleteSectionCommand() {
  if (Table.sectionCount == 0 || RefusedWhilePolygonOpen()) return;
  if (const int s = AskSection("Delete Section")) {
    SetDeleted(s, true);
    Shared.FileChanged = true;
  }
}

void RestoreSectionCommand() {
  if (Table.sectionCount == 0) return;
  if (const int s = AskSection("Restore Section")) {
    // A restored section is a change to keep: without this, Exit would not ask.
    if (Table.sections[s].flags & Deleted) Shared.FileChanged = true;
    SetDeleted(s, false);
  }
}

namespace {

// The menu reflects or undoes; an open polygon is closed first.
void ReflectionMenuCommand(Axis axis) {
  if (Reflected(axis)) {
    UndoReflectionCommand(axis);
    return;
  }
  if (!RefusedWhilePolygonOpen()) MakeReflection(axis);
}

}  // namespace

void XReflectionMenuCommand() { ReflectionMenuCommand(Axis::X); }
void YReflectionMenuCommand() { ReflectionMenuCommand(Axis::Y); }
