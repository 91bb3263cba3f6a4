// Circle, arc segment, radial block and merge-data entry: a first line that makes
// the section, then (but for a circle) a second line that completes it.
#include "app/section_entry.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "app/commands.h"
#include "app/main_panel.h"
#include "app/view_update.h"
#include "construct/input_text.h"
#include "construct/point_slots.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "util/numeric.h"

namespace {

SectionKind KindOfHeading(Heading heading) {
  switch (heading) {
    case Heading::CircleSection: return SectionKind::Circle;
    case Heading::ArcSegment: return SectionKind::ArcSegment;
    case Heading::MergeData: return SectionKind::MergeData;
    default: return SectionKind::RadialBlock;
  }
}

// Field i (0-based) of the line as a number.
double Field(const std::string& line, std::size_t i) { return FieldNumber(line, ",", i); }

// The waiting entry was typed under this heading and its section is still there.
bool EntryStillOpen(Heading heading) {
  const int s = Dispatch.EntrySection;
  if (s == 0 || heading != Dispatch.EntryHeading || !SectionExists(s)) return false;
  const Section& sec = Table.sections[s];
  return sec.firstNode == Dispatch.EntrySlot && KindOf(sec) == KindOfHeading(heading);
}

void ForgetWaitingEntry() {
  Dispatch.EntrySection = Dispatch.EntrySlot = 0;
  Dispatch.EntryHeading = Heading::Other;
}

void FirstLine(OkCommandState& ok, SectionKind kind) {
  if (FieldCount(ok.line) != 3) {
    Dispatch.RequiredCount = 3;
    Dispatch.EntryStep = 0;
    return;
  }
  const double xc = Field(ok.line, 0), yc = Field(ok.line, 1), r = Field(ok.line, 2);
  if (!StorableValues(ok, {xc, yc, r})) {
    Dispatch.EntryStep = 0;
    return;
  }
  if (!HasRoomForSection() || !HasRoomForNode()) {
    Dispatch.EntryStep = 0;
    return RefuseLine(ok, HasRoomForSection() ? NoNodeRoomMessage(1) : NoSectionRoomMessage,
                      CapacityCaption, MsgIconWarning);
  }
  const int s = ++Table.sectionCount;
  const int slot = ++Table.nodeCount;
  Table.sections[s] = Section{static_cast<std::uint8_t>(kind), Complete, slot, slot, 1.0f};
  Table.nodes[slot] = Node{0, 0};
  Table.params[slot] = ParamRow{};
  const PieceView piece(Table.params[slot]);
  piece.centreX() = static_cast<float>(xc);
  piece.centreY() = static_cast<float>(yc);
  piece.size() = static_cast<float>(r);
  Table.CurrentSection = s;
  Shared.ResultsCurrent = false;
  if (kind == SectionKind::Circle) {
    Dispatch.EntryStep = 0;
    Shared.FileChanged = true;
    return;  // the common tail follows
  }
  Dispatch.EntryStep = 1;
  Dispatch.EntrySection = s;
  Dispatch.EntrySlot = slot;
  Dispatch.EntryHeading = ok.heading;
  SetStatusText(SecondPrompt(kind, false), 1);
  Panel.inputLine.clear();
  Panel.selectionStart = Panel.selectionEnd = 0;
  ok.ended = true;
}

void SecondLine(OkCommandState& ok) {
  const Section& sec = Table.sections[Dispatch.EntrySection];
  ParamRow& row = Table.params[Dispatch.EntrySlot];
  double p = Field(ok.line, 0), q = Field(ok.line, 1);
  const double t = Field(ok.line, 2);
  if (!StorableValues(ok, {p, q, t})) return;
  if (KindOf(sec) != SectionKind::MergeData) {
    if (p == 360) p = 0;
    if (q == 360) q = 0;
    const double r = PieceView(row).size();  // the radius
    // A chord segment's arc is the difference without its whole turns.
    const double span = KindOf(sec) == SectionKind::ArcSegment ? WithoutWholeTurns(q - p) : q - p;
    const char* fault = nullptr;
    if (r < t) {
      fault = "t greater than r";
    } else if (KindOf(sec) == SectionKind::RadialBlock && r - t < q) {
      fault = "w greater than inner radius";
    } else if (t < 0 && std::fabs(span) >= 180) {
      fault = "a2 - a1 >= 180";
    }
    if (fault != nullptr) {
      Dispatch.EntryStep = 1;  // the next line is again the second line
      return RefuseLine(ok, fault, "Input Error", MsgIconError);
    }
  }
  StoreSecondLine(row, KindOf(sec), p, q, t);
  Table.CurrentSection = Dispatch.EntrySection;
  Dispatch.EntryStep = 0;
  ForgetWaitingEntry();
  Shared.ResultsCurrent = false;
  Shared.FileChanged = true;
}

}  // namespace

const char* SecondPrompt(SectionKind kind, bool editing) {
  switch (kind) {
    case SectionKind::ArcSegment: return "a1 , a2 , t";
    case SectionKind::MergeData: return "Ixx , Iyy , Ixy";
    default: return editing ? "angl , w , t" : "angle , width , t";
  }
}

void StoreSecondLine(ParamRow& row, SectionKind kind, double p, double q, double t) {
  if (kind == SectionKind::ArcSegment && t < 0) {
    const DegreePair a = ChordAnglesWithoutWholeTurns(p, q);
    p = a.a1 + 0.0;
    q = a.a2 + 0.0;
  } else if (kind == SectionKind::ArcSegment) {
    p = WithoutWholeTurns(p);
    q = WithoutWholeTurns(q);
  } else if (kind == SectionKind::RadialBlock) {
    p = WithoutWholeTurns(p);
  }
  const PieceView piece(row);
  piece.second(0) = static_cast<float>(p);
  piece.second(1) = static_cast<float>(q);
  piece.second(2) = static_cast<float>(t);
  if (t < 0) {
    // An arc's sign is that of the angles as stored.
    const ArcSegmentView arc(row);
    const double d = kind == SectionKind::ArcSegment ? double(arc.angle2()) - arc.angle1() : q - p;
    piece.sign() = static_cast<float>(Sign(d));
  }
}

bool EntryWaiting() { return Dispatch.EntrySection != 0; }

const char* WaitingEntryPrompt() { return SecondPrompt(KindOfHeading(Dispatch.EntryHeading), false); }

void LeaveUnfinishedEntry() {
  const int s = Dispatch.EntrySection, slot = Dispatch.EntrySlot;
  if (s == 0) return;
  ForgetWaitingEntry();
  Dispatch.EntryStep = 0;
  // Only the newest section on the newest slot can still be the one the first line
  // made; anything else means the tables were replaced since.
  if (s != Table.sectionCount || slot != Table.nodeCount || Table.sections[s].firstNode != slot)
    return;
  Table.sections[s] = Section{};
  Table.nodes[slot] = Node{0, 0};
  Table.params[slot] = ParamRow{};
  --Table.sectionCount;
  --Table.nodeCount;
  if (Table.CurrentSection > Table.sectionCount) Table.CurrentSection = Table.sectionCount;
  Shared.ResultsCurrent = false;
  RedrawKeepingPanel();
}

bool MenuLeavesEntry(CommandId id) {
  const bool view = id >= MenuNormal && id <= MenuHidePhantoms && id != MenuIdentifySection;
  return !(view || id == MenuHelp || id == MenuAbout || id == MenuPreferences);
}

void EnterSectionBranch(OkCommandState& ok) {
  // A second line belongs to the entry its first line began, under the same
  // heading, while that section is still there; any other line starts a new entry.
  if (EntryStillOpen(ok.heading)) return SecondLine(ok);
  LeaveUnfinishedEntry();
  Dispatch.EntryStep = 0;
  FirstLine(ok, KindOfHeading(ok.heading));
}
