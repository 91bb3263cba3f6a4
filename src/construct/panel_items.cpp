#include "construct/panel_items.h"

#include <algorithm>

#include "util/text.h"

namespace {

// Texts 1..35 (sub-items indented by three blanks); index 0 is unused.
const std::array<const char*, BuildPanelCount + 1> ItemTexts = {
    "",
    "Polygon Section",
    "   defined point",
    "   absolute coordinates",
    "   relative coordinates",
    "   directional keys",
    "   angle",
    "   right angle turn",
    "   undo last node",
    "   close polygon",
    "Fillets",
    "Circle section",
    "Arc segment",
    "Radial block",
    "Merge data",
    "Edit data",
    "Identify Section",
    "Build",
    "   x-reflection",
    "   y-reflection",
    "   rotate section",
    "   copy section",
    "   section weights",
    "   toggle on/off state",
    "Phantom Points",
    "   reference point",
    "   absolute point",
    "   relative point",
    "   up, down, left, right",
    "   angle",
    "   rt angle turn",
    "   fixed radius",
    "   undo point",
    "   show phantom points",
    "   hide phantom points",
    "View Log File",
};

// Item 28 shows the down and right arrows of the OEM character set (codes 25, 26).
const std::array<std::string, BuildPanelCount + 1> Prompts = {
    "",
    "",
    "# point",
    "x , y",
    "x ; y",
    "units [arrow key]",
    "units [/] angle",
    "units [/]",
    "click Ok to undo",
    "click Ok to close",
    "r, node [,node]...",
    "xc , yc , r",
    "xc , yc , ro",
    "xc , yc , ro",
    "xc , yc , area",
    "node, section",
    "sect",
    "",
    "click Ok to reflect",
    "click Ok to reflect",
    "sect, point , angle",
    "sect , x , y",
    "sect , wt",
    "sect number",
    "",
    "# point",
    "x , y",
    "x ; y",
    "units u | d | \u2193 | \u2192",
    "units / angle",
    "units /",
    "units \\",
    "un | un point",
    "click Ok to show",
    "click Ok to hide",
    "click Ok to view",
};

struct HeadingName {
  Heading heading;
  PanelItem group;  // None for a heading no item carries
  const char* text;
};
constexpr HeadingName HeadingNames[] = {
    {Heading::PolygonSection, PanelItem::PolygonSection, "Polygon Section"},
    {Heading::Fillets, PanelItem::Fillets, "Fillets"},
    {Heading::CircleSection, PanelItem::CircleSection, "Circle section"},
    {Heading::ArcSegment, PanelItem::ArcSegment, "Arc segment"},
    {Heading::RadialBlock, PanelItem::RadialBlock, "Radial block"},
    {Heading::MergeData, PanelItem::MergeData, "Merge data"},
    {Heading::EditData, PanelItem::EditData, "Edit data"},
    {Heading::IdentifySection, PanelItem::IdentifySection, "Identify Section"},
    {Heading::Build, PanelItem::Build, "Build"},
    {Heading::PhantomPoints, PanelItem::PhantomPoints, "Phantom Points"},
    {Heading::ViewLogFile, PanelItem::ViewLogFile, "View Log File"},
    {Heading::ChangeValues, PanelItem::None, "Change values"},
};

// A set of mode words as bits.
using Words = unsigned;
constexpr Words Bit(ModeWord w) { return 1u << static_cast<unsigned>(w); }
template <typename... W>
constexpr Words Set(W... w) { return (Bit(w) | ... | 0u); }

// The words each sub-item's text holds, in the sense the entry rules test them.
Words ItemWords(PanelItem item) {
  using W = ModeWord;
  switch (item) {
    case PanelItem::DefinedPoint: return Set(W::Defined);
    case PanelItem::Angle:
    case PanelItem::PhantomAngle: return Set(W::Angle);
    case PanelItem::RightAngleTurn: return Set(W::Right, W::Angle);
    case PanelItem::UndoLastNode:
    case PanelItem::UndoPoint: return Set(W::Undo);
    case PanelItem::ClosePolygon: return Set(W::Close);
    case PanelItem::XReflection:
    case PanelItem::YReflection: return Set(W::Reflection);
    case PanelItem::ToggleOnOff: return Set(W::Toggle);
    case PanelItem::UpDownLeftRight: return Set(W::Up, W::Down, W::Left, W::Right);
    case PanelItem::RtAngleTurn: return Set(W::RtAngle, W::Angle);
    case PanelItem::FixedRadius: return Set(W::Fixed);
    case PanelItem::ShowPhantomPoints: return Set(W::Show);
    case PanelItem::HidePhantomPoints: return Set(W::Hide);
    case PanelItem::ReferencePoint: return Set(W::Reference);
    case PanelItem::AbsoluteCoordinates:
    case PanelItem::AbsolutePoint: return Set(W::Absolute);
    case PanelItem::RelativeCoordinates:
    case PanelItem::RelativePoint: return Set(W::Relative);
    default: return 0;
  }
}

// The words of a pending step's second half: "up" ... "rt angle", "fixed radius".
Words StepWords(PendingStepKind step) {
  using W = ModeWord;
  switch (step) {
    case StepUp: return Set(W::Up);
    case StepDown: return Set(W::Down);
    case StepLeft: return Set(W::Left);
    case StepRight: return Set(W::Right);
    case StepAngle: return Set(W::Angle);
    case StepRightAngle: return Set(W::RtAngle, W::Angle);
    case StepFixedRadius: return Set(W::Fixed);
    default: return 0;
  }
}

}  // namespace

const std::string PendingPrompt = "a | x=a | y=a | m-n,a";

PanelItem ItemAt(int number) {
  return static_cast<PanelItem>(std::clamp(number, 1, BuildPanelCount));
}

const char* ItemText(PanelItem item) { return ItemTexts[ItemNumber(ItemAt(ItemNumber(item)))]; }

bool IsSubItem(PanelItem item) { return ItemText(item)[0] == ' '; }

const std::string& ItemPrompt(PanelItem item) { return Prompts[ItemNumber(ItemAt(ItemNumber(item)))]; }

PanelItem GroupOf(PanelItem item) {
  int n = ItemNumber(ItemAt(ItemNumber(item)));
  while (n > 1 && ItemTexts[n][0] == ' ') --n;
  return static_cast<PanelItem>(n);
}

std::string HeadingText(Heading heading) {
  for (const HeadingName& h : HeadingNames)
    if (h.heading == heading) return h.text;
  return "";
}

Heading HeadingOf(PanelItem group) {
  for (const HeadingName& h : HeadingNames)
    if (h.group == group && group != PanelItem::None) return h.heading;
  return Heading::Other;
}

Heading ReadHeading(std::string_view text) {
  text = text.substr(0, 31);  // the heading is held in a 32-byte field
  for (const HeadingName& h : HeadingNames)
    if (text == h.text) return h.heading;
  return Heading::Other;
}

EntryMode ReadEntryMode(std::string_view modeLabel) {
  const std::string mode = LowerCase(TrimBlanks(modeLabel));
  EntryMode m;
  // The keyboard's U and C write the short words.
  if (mode == "undo") return {PanelItem::UndoLastNode};
  if (mode == "close") return {PanelItem::ClosePolygon};
  // The first sub-item with this text: "angle" names items 6 and 29 alike.
  for (int n = 1; n <= BuildPanelCount && mode != ""; ++n) {
    if (ItemTexts[n][0] == ' ' && TrimBlanks(ItemTexts[n]) == mode) {
      m.item = static_cast<PanelItem>(n);
      break;
    }
  }
  return m;
}

bool ModeHas(const EntryMode& mode, ModeWord word) {
  const Words words = mode.step != StepNone ? StepWords(mode.step) : ItemWords(mode.item);
  return (words & Bit(word)) != 0;
}

bool ModeTakesEmptyLine(const EntryMode& mode) {
  for (ModeWord w : {ModeWord::Close, ModeWord::Undo, ModeWord::Reflection, ModeWord::Hide,
                     ModeWord::Show, ModeWord::Toggle})
    if (ModeHas(mode, w)) return true;
  return false;
}
