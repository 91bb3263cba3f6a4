#include "app/commands.h"
#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/node_input.h"
#include "model/section_table.h"
#include "platform/platform.h"
#include "view/view_options.h"

void MoveFocus(Focus focus) {
  const Focus old = Panel.focus;
  Panel.focus = focus;
  if (old == Focus::BuildPanel && focus != Focus::BuildPanel) BuildPanelNotify(LbnKillFocus);
  if (old != Focus::BuildPanel && focus == Focus::BuildPanel) BuildPanelNotify(LbnSetFocus);
}

void RefreshPanel() {
  // (An empty node table holds no sections: the table operations that remove nodes
  // keep that, so the panel never changes the table.)
  const PanelItem item = Panel.selectedItem = ItemAt(ItemNumber(Panel.selectedItem));
  // Turning to another heading leaves an entry that waits for its second line; the
  // same heading chosen again goes on waiting.
  if (EntryWaiting() &&
      (Entry.PendingStep != StepNone || HeadingOf(GroupOf(item)) != Dispatch.EntryHeading))
    LeaveUnfinishedEntry();
  // The panel shows the item again: an edit in progress is over.
  if (!EntryWaiting()) Dispatch.EntryStep = 0;
  const bool needsClosed = item >= PanelItem::Fillets && item <= PanelItem::SectionWeights;
  const bool haveLast = Table.sectionCount >= 1;
  const std::uint8_t lastFlags = haveLast ? Table.sections[Table.sectionCount].flags : 0;

  std::string heading, mode, prompt;
  if (needsClosed && haveLast && lastFlags == 0) {
    SelectBuildPanelItem(PanelItem::AbsoluteCoordinates);
    heading = HeadingText(Heading::PolygonSection);
    mode = TrimBlanks(ItemText(PanelItem::AbsoluteCoordinates));
    prompt = ItemPrompt(PanelItem::AbsoluteCoordinates);
    MessageDialog("Must close polygon first", MsgOk | MsgIconError, "Data Error");
  } else {
    heading = HeadingText(HeadingOf(GroupOf(item)));
    if (!Panel.modeTaken) {
      if (IsSubItem(item)) mode = ItemText(item);
      prompt = EntryWaiting() ? WaitingEntryPrompt() : ItemPrompt(item);
    }
  }

  if (Entry.PendingStep != StepNone) {
    heading = PendingStepHeading();
    prompt = PendingPrompt;
    if (Entry.PendingStep < StepFixedRadius) {
      mode = "units or intersecting line";
    } else {
      // Without its "a | " the prompt reads "x=a | y=a | m-n,a".
      mode = "intersecting line";
      prompt = TrimBlanks(prompt.substr(3));
    }
  }

  Panel.heading = heading;
  Panel.modeLabel = mode;
  SetStatusText(prompt, 1);

  if (View.magnification != 0) {
    SetStatusText("Zoom factor: " + NumberToText(View.magnification) +
                      "  ... pan graphic window with arrow keys",
                  2);
  } else if (Panel.referencePoint != 0) {
    SetStatusText("Reference point: " + NumberToText(Panel.referencePoint, 7), 2);
  } else {
    SetStatusText("", 2);
  }

  if (haveLast && lastFlags != 0 && View.oneSection == 0) {
    EnableMenuItem(MenuAboutCentroid, true);
    EnableMenuItem(MenuAboutOtherAxes, true);
  }

  Panel.inputLine.clear();
  Panel.selectionStart = Panel.selectionEnd = 0;
  MoveFocus(Focus::InputLine);
}
