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
  if (Table.nodeCount == 0) Table.sectionCount = 0;
  const bool haveLast = Table.sectionCount >= 1;
  const std::uint8_t lastFlags = haveLast ? Table.sections[Table.sectionCount].flags : 0;

  int item = Panel.selectedItem;
  if (item < 1 || item > BuildPanelCount) item = Panel.selectedItem = 3;

  std::string heading, mode, prompt;
  if (item >= 10 && item <= 22 && haveLast && lastFlags == 0) {
    SelectBuildPanelItem(3);
    heading = "Polygon Section";
    mode = "absolute coordinates";
    prompt = PromptSlots[3];
    MessageDialog("Must close polygon first", MsgOk + MsgIconError, "Data Error");
  } else {
    const std::string text = BuildPanelItems[item];
    heading = GroupHeadingOf(item);
    if (!Panel.modeTaken) {
      if (text[0] == ' ') mode = text;
      prompt = PromptSlots[item];
    }
  }

  if (Entry.PendingStep != StepNone) {
    heading = PendingStepHeading();
    prompt = PromptSlots[0];
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
