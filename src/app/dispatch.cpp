#include "app/dispatch.h"

#include <filesystem>

#include "app/commands.h"
#include "app/keyboard.h"
#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "app/program_state.h"
#include "app/view_update.h"
#include "construct/entry_state.h"
#include "construct/input_text.h"
#include "construct/node_input.h"
#include "files/section_file.h"
#include "files/settings.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "view/view_options.h"

DispatchState Dispatch{};

void ShowMissingValues(int n) {
  PlatformMessageBox("Must input" + NumberToText(n, 7) + " parameters", "Input Error",
                     MsgIconWarning);
}

void OkCommonTail(const OkCommandState& ok) {
  if (Dispatch.RequiredCount > 0) {
    ShowMissingValues(Dispatch.RequiredCount);
    return;  // the typed line stays for correction
  }
  // Only an edit that ends here compares its texts; an edit left unfinished
  // compares nothing later.
  if (ok.heading == Heading::ChangeValues && Dispatch.EditResult != Dispatch.EditOriginal)
    Shared.FileChanged = true;
  RefreshPanel();
  Dispatch.EditOriginal.clear();
  Dispatch.EditResult.clear();
  if (ok.heading == Heading::ChangeValues && Table.CurrentSection >= 1 &&
      Table.CurrentSection <= Table.sectionCount &&
      Dispatch.EditNode < Table.sections[Table.CurrentSection].lastNode) {
    // Offer the next node of the polygon, selected, so that Ok edits it.
    Panel.inputLine = NumberToText(Dispatch.EditNode + 1, 7);
    Panel.selectionStart = 0;
    Panel.selectionEnd = static_cast<int>(Panel.inputLine.size());
  }
  UpdateView();
}

void OkCommand() {
  Dispatch.RequiredCount = 0;
  OkInput in = ReadOkInput(Panel.heading, Panel.modeLabel, Panel.inputLine);
  if (in.pendingStarted) {
    RefreshPanel();
    return;
  }
  if (in.refused) return;  // the message is shown; the typed line stays for correction
  Dispatch.AcceptsEmptyLine =
      ModeTakesEmptyLine(in.mode) || in.heading == Heading::ViewLogFile;
  if (in.line.empty() && !Dispatch.AcceptsEmptyLine && in.heading != Heading::IdentifySection) {
    MoveFocus(Focus::InputLine);
    return;
  }

  OkCommandState ok{in.heading, in.mode, in.line, Panel.inputLine};
  // A line under another heading leaves an entry that waits for its second line.
  if (EntryWaiting() && ok.heading != Dispatch.EntryHeading) LeaveUnfinishedEntry();
  if (OkBranch branch = FindOkBranch(ok.heading)) {
    branch(ok);
    if (ok.ended) return;
  }
  OkCommonTail(ok);
}

void BuildPanelNotify(int code) {
  switch (code) {
    case LbnSetFocus:
      Dispatch.PanelClickPending = true;
      Entry.PendingStep = StepNone;  // a pending "How far ..." question is dropped
      break;
    case LbnDblClk:
      MainWindowCommand(CommandOk);
      break;
    default:
      if (Dispatch.PanelClickPending) {
        Dispatch.PanelClickPending = false;
        RefreshPanel();
      }
      break;
  }
}

void MainWindowDestroyed() { RemoveKeyboardHook(); }

void MenuPopupOpened() { Dispatch.MenuOpen = true; }
void MenuLoopEnded() { Dispatch.MenuOpen = false; }

void MainWindowCommand(CommandId id) {
  if (id == CommandOk) {
    OkCommand();
    return;
  }
  const MenuCommandEntry* entry = FindMenuCommand(id);
  if (entry == nullptr) return;  // an id no menu command has
  if (MenuLeavesEntry(id)) LeaveUnfinishedEntry();
  entry->handler();
  if (entry->after & AfterCloseFileDialog) Dispatch.FileDialogOpen = false;
  if (entry->after & AfterRedraw) UpdateView();
  if (entry->after & AfterRefresh) RefreshPanel();
}

void StartUp(const std::string& commandLine) {
  // The window and its menu bar are built, before the start-up work.
  ResetProgramState();
  FormDataFolder();
  std::error_code folderError;
  if (!Shared.DataFolder.empty() && !std::filesystem::is_directory(Shared.DataFolder, folderError)) {
    // The program works without it; only the settings cannot be kept.
    PlatformMessageBox("Cannot create the data folder\n" + Shared.DataFolder +
                           "\nPreferences and the last file saved will not be kept.",
                       "Error", MsgOk | MsgIconWarning);
  }
  ReadSettings();
  // The settings' last file and digits survive the empty start.
  const std::string lastFile = Shared.CurrentFile;
  StartPolygon();
  Shared.CurrentFile = lastFile;
  SetStatusText("", 2);
  Dispatch.HelpFile = (Shared.DataFolder + "Velmora.chm").substr(0, 127);
  InstallKeyboardHook(KeyboardHook);

  std::string name;
  for (char c : commandLine)
    if (c != '"') name += c;
  name = TrimBlanks(name);
  // With "open last file" on but no file saved yet there is nothing to open.
  if (!name.empty() || (Shared.OpenLastFile != 0 && !Shared.CurrentFile.empty())) {
    if (!name.empty()) Shared.CurrentFile = name;
    std::error_code error;
    if (!std::filesystem::is_regular_file(Shared.CurrentFile, error)) {
      PlatformMessageBox("File not found", "File spec: " + Shared.CurrentFile, MsgIconWarning);
      SetStatusText("", 2);
      return;
    }
    ReadSectionFile();
    if (Table.sectionCount >= 1) UpdateView();
    // A file whose last section is complete can be calculated at once.
    if (Table.sectionCount >= 1 && Table.sections[Table.sectionCount].flags != 0 &&
        View.oneSection == 0) {
      EnableMenuItem(MenuAboutCentroid, true);
      EnableMenuItem(MenuAboutOtherAxes, true);
    }
    SetStatusText("", 2);
    Panel.inputLine.clear();
    Panel.selectionStart = Panel.selectionEnd = 0;
  }
  MoveFocus(Focus::InputLine);
}
