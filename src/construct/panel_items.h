// The BuildPanel's items, their prompts, and the headings and modes they put on
// the panel. Texts are read and written only here; the rest of the program works
// with the ids.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "construct/entry_state.h"

// BuildPanel items, numbered 1..35 as the list shows them.
enum class PanelItem : int {
  None = 0,
  PolygonSection = 1,
  DefinedPoint,
  AbsoluteCoordinates,
  RelativeCoordinates,
  DirectionalKeys,
  Angle,
  RightAngleTurn,
  UndoLastNode,
  ClosePolygon,
  Fillets,  // 10
  CircleSection,
  ArcSegment,
  RadialBlock,
  MergeData,
  EditData,
  IdentifySection,
  Build,
  XReflection,
  YReflection,
  RotateSection,  // 20
  CopySection,
  SectionWeights,
  ToggleOnOff,
  PhantomPoints,
  ReferencePoint,
  AbsolutePoint,
  RelativePoint,
  UpDownLeftRight,
  PhantomAngle,
  RtAngleTurn,  // 30
  FixedRadius,
  UndoPoint,
  ShowPhantomPoints,
  HidePhantomPoints,
  ViewLogFile,  // 35
};

constexpr int BuildPanelCount = 35;
constexpr int ItemNumber(PanelItem item) { return static_cast<int>(item); }
// The item of a list position; positions outside 1..35 are clamped into it.
PanelItem ItemAt(int number);

// The item's text as the list shows it (sub-items indented by three blanks).
const char* ItemText(PanelItem item);
bool IsSubItem(PanelItem item);
// The item's prompt; the prompt of the second half of a pending step is PendingPrompt.
const std::string& ItemPrompt(PanelItem item);
extern const std::string PendingPrompt;
// The group heading item an item belongs to (itself for a heading).
PanelItem GroupOf(PanelItem item);

// What PanelHeading shows: a group heading, the editor's "Change values", or
// anything else (a pending step's "How far ..." question, an unknown text).
enum class Heading : std::uint8_t {
  Other,
  PolygonSection,
  Fillets,
  CircleSection,
  ArcSegment,
  RadialBlock,
  MergeData,
  EditData,
  IdentifySection,
  Build,
  PhantomPoints,
  ViewLogFile,
  ChangeValues,
};
std::string HeadingText(Heading heading);
// The heading of a group heading item (Other for a sub-item).
Heading HeadingOf(PanelItem group);
// Reads PanelHeading's text: only its first 31 characters count.
Heading ReadHeading(std::string_view text);

// The words a mode can hold; a mode holds several ("right angle turn" holds
// Right and Angle), which decides the order of the entry rules.
enum class ModeWord : std::uint8_t {
  Defined,
  Up,
  Down,
  Left,
  Right,
  RtAngle,
  Angle,
  Fixed,
  Close,
  Undo,
  Reflection,
  Hide,
  Show,
  Toggle,
  Reference,
  Absolute,
  Relative,
};

// The mode an Ok works in: the chosen sub-item shown in ModeLabel, or the step
// whose second half this line is.
struct EntryMode {
  PanelItem item = PanelItem::None;  // a sub-item, or None (empty or other ModeLabel)
  PendingStepKind step = StepNone;   // set for the second half of a pending step
};
// Reads ModeLabel (trimmed, any case) into the sub-item it names; the short words
// "undo" and "close" name "undo last node" and "close polygon".
EntryMode ReadEntryMode(std::string_view modeLabel);
bool ModeHas(const EntryMode& mode, ModeWord word);
// The mode needs no typed value: close, undo, reflection, show, hide, toggle.
bool ModeTakesEmptyLine(const EntryMode& mode);
