// Feeds arbitrary typed lines, BuildPanel clicks and double-clicks and dialog
// answers to the Ok command. After every step the section table and the panel must
// be sound.
//
// Input: lines separated by '\n'. A line starting with byte 0x01 clicks BuildPanel
// item (next byte % 35) + 1, 0x02 double-clicks it, 0x03 queues a dialog answer
// (yes or no by the next byte, or the rest of the line as typed text after 0x03 't'),
// 0x04 chooses a menu command by the next byte; any other line is typed into the
// InputLine and Ok is pressed.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/dispatch.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/program_state.h"
#include "app/window_actions.h"
#include "construct/entry_state.h"
#include "files/table_invariants.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "output/output_window.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& step) {
  std::fprintf(stderr, "ok_command_fuzz: %s (after step \"%s\")\n", what, step.c_str());
  std::abort();
}

bool Finite(float v) { return std::isfinite(v); }

void Check(const std::string& step) {
  if (const char* fault = TableInvariantFault()) Fail(fault, step);
  // Every slot 1..nodeCount belongs to exactly one section, in section order; only
  // the last section may be an open polygon.
  int next = 1;
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    if (sec.firstNode != next) Fail("a gap or overlap between sections", step);
    next = sec.lastNode + 1;
    if (sec.flags == 0 && s != Table.sectionCount) Fail("an open polygon that is not last", step);
    if (sec.flags == 0 && KindOf(sec) != SectionKind::Polygon) Fail("an open section of a kind made whole", step);
    if (!Finite(sec.weight)) Fail("a weight that is not finite", step);
  }
  if (next != Table.nodeCount + 1) Fail("nodes that belong to no section", step);
  if (Table.CurrentSection < 0 || Table.CurrentSection > Table.sectionCount)
    Fail("CurrentSection out of range", step);
  for (int k = 1; k <= TopNode; ++k) {
    const bool used = k <= Table.nodeCount || k >= Table.lowestPhantom;
    if (used) {
      if (!Finite(Table.nodes[k].x) || !Finite(Table.nodes[k].y))
        Fail("a point that is not finite", step);
      for (float c : Table.params[k].c)
        if (!Finite(c)) Fail("a parameter that is not finite", step);
    } else if (Table.nodes[k].x != 0 || Table.nodes[k].y != 0 || Table.params[k].c[3] != 0) {
      Fail("a free slot that still holds data", step);
    }
  }
  if (Table.lowestPhantom < Table.nodeCount + 1) Fail("phantom points over the nodes", step);
  if (Entry.PendingStep > StepFixedRadius) Fail("unknown pending step", step);
  const bool asking = Panel.heading.rfind("How far ", 0) == 0;
  if (asking != (Entry.PendingStep != StepNone)) Fail("heading and pending step disagree", step);
  if (Panel.heading.size() > 31) Fail("heading longer than its field", step);
  if (Panel.promptLabel.size() > 127 || Panel.status2.size() > 127)
    Fail("status text longer than its buffer", step);
  if (ItemNumber(Panel.selectedItem) < 1 || ItemNumber(Panel.selectedItem) > BuildPanelCount)
    Fail("BuildPanel selection out of range", step);
  if (Panel.selectionStart < 0 || Panel.selectionEnd > static_cast<int>(Panel.inputLine.size()) ||
      Panel.selectionStart > Panel.selectionEnd)
    Fail("InputLine selection outside its text", step);
  if (Table.xReflected != (MenuCaption(MenuXReflection) == "Undo x-reflection") ||
      Table.yReflected != (MenuCaption(MenuYReflection) == "Undo y-reflection"))
    Fail("a reflection caption that does not match the table", step);
}

// The menu commands a fuzzed session may choose: all but those that leave the
// program or write files.
CommandId FuzzMenu(int n) {
  static const CommandId menus[] = {
      MenuBeginAgain,   MenuEditData,      MenuSectionWeights, MenuDeleteSection,
      MenuRestoreSection, MenuXReflection, MenuYReflection,    MenuRemovePhantoms,
      MenuLineProperties, MenuAboutCentroid, MenuAboutOtherAxes, MenuNormal,
      MenuWithoutNodes, MenuPrincipalAxes, MenuOneSection,     MenuIdentifySection,
      MenuFillNetSection, MenuMagnify,     MenuShowPhantoms,   MenuHidePhantoms,
      MenuLogFile,
  };
  return menus[n % (sizeof menus / sizeof menus[0])];
}

// The view draws on a recording canvas, so every redraw runs as in the window.
RecordingCanvas& FuzzCanvas() {
  static RecordingCanvas canvas;
  return canvas;
}

HeadlessPlatform& FuzzPlatform() {
  static HeadlessPlatform platform("");
  platform.SetViewCanvas(&FuzzCanvas());
  return platform;
}

// The program as it starts, without a data folder: no settings, no file.
void Start() {
  FuzzPlatform().Reset();
  FuzzCanvas().ClearCalls();
  SetPlatform(&FuzzPlatform());
  ResetProgramState();
  StartPolygon();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Start();
  std::string input(reinterpret_cast<const char*>(data), size);
  std::size_t pos = 0;
  int steps = 0;
  while (pos <= input.size() && steps++ < 600) {
    std::size_t end = input.find('\n', pos);
    if (end == std::string::npos) end = input.size();
    std::string line = input.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line[0] >= 1 && line[0] <= 4) {
      const int arg = line.size() > 1 ? static_cast<std::uint8_t>(line[1]) : 0;
      if (line[0] == 3 && arg == 't') {
        FuzzPlatform().QueueAnswer({DialogAnswer::Text, line.substr(2, 300)});
      } else if (line[0] == 3) {
        FuzzPlatform().QueueAnswer({arg % 2 ? DialogAnswer::Yes : DialogAnswer::No, ""});
      } else if (line[0] == 4) {
        ChooseMenuItem(FuzzMenu(arg));
      } else {
        const PanelItem item = ItemAt(arg % BuildPanelCount + 1);
        if (line[0] == 2) {
          DoubleClickBuildPanelItem(item);
        } else {
          ClickBuildPanelItem(item);
        }
      }
    } else {
      TypeInInputLine(line.substr(0, 300));
      PressOkButton();
    }
    Check(line);
    FuzzPlatform().ClearEvents();
    FuzzCanvas().ClearCalls();
  }
  return 0;
}
