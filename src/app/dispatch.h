// The command dispatcher: every menu command, BuildPanel notification and Ok.
#pragma once

#include <string>

#include "app/menu_ids.h"
#include "construct/panel_items.h"

// State the dispatcher keeps between and during commands.
struct DispatchState {
  int EntryStep = 0;              // two-line entries: 0 idle, 1 first line, 2 second
  // The two-line entry whose first line waits for its second: the section and slot
  // the first line made and the heading it was typed under (section 0: none waits).
  int EntrySection = 0;
  int EntrySlot = 0;
  Heading EntryHeading = Heading::Other;
  bool AcceptsEmptyLine = false;  // this Ok's mode or heading needs no typed value
  int RequiredCount = 0;          // values a branch demanded and did not get
  bool MenuOpen = false;          // a menu of the main window is open
  bool FileDialogOpen = false;    // the Open or Save As dialog is open
  bool PanelClickPending = false; // the BuildPanel has just received the focus
  int EditNode = 0;               // point being edited (Edit data / Change values)
  std::string EditOriginal, EditResult;
  std::string EditShown;          // the text the editor put into the InputLine for this line
  std::string HelpFile;           // the help file in the data folder
  friend bool operator==(const DispatchState&, const DispatchState&) = default;
};

extern DispatchState Dispatch;

// BuildPanel notification codes (the list box's own values).
enum BuildPanelNotification : int {
  LbnSelChange = 1,
  LbnDblClk = 2,
  LbnSetFocus = 4,
  LbnKillFocus = 5,
};

// A WM_COMMAND: the Ok button or a menu command.
void MainWindowCommand(CommandId id);
// The Ok button (also Enter, a BuildPanel double-click and the keyboard hook).
void OkCommand();
// A notification of the BuildPanel (control 101).
void BuildPanelNotify(int code);
// A menu of the main window opens / the menu loop ends.
void MenuPopupOpened();
void MenuLoopEnded();

// WM_DESTROY: the keyboard hook is removed.
void MainWindowDestroyed();

// The close protocol (close box, Alt+F4, File / Exit): the save question when the
// tables have changed; Cancel, or changes that could not be saved, keep the window
// and the data (false). Otherwise the output window is closed, the keyboard hook
// removed and the platform asked to end the program (true).
bool SystemClose();
// Asks whether to save unsaved changes; 1 when the user cancelled, else 0. Also 1
// when the user said Yes but nothing was saved (Save As cancelled or the write
// failed), so that the caller keeps the program and the changes alive. Without a
// current file, Yes runs Save As (menu 203).
int SaveIfChanged();

// The main window's start-up work, in order: data folder, settings, menus and
// panel, an empty polygon entry (keeping the file and digits from the settings),
// help file, the keyboard hook, then the file named on the command line (quotes
// removed) or, when the settings say so, the last file saved.
void StartUp(const std::string& commandLine);

// What one Ok hands to its branch.
struct OkCommandState {
  Heading heading = Heading::Other;  // the branch's heading
  EntryMode mode;       // ModeLabel's sub-item, or the pending step's second half
  std::string line;     // the InputLine without blanks, lower case
  std::string rawLine;  // the InputLine as typed
  bool ended = false;   // the branch ended the command itself: no common tail
};

using OkBranch = void (*)(OkCommandState& ok);
// The steps after a branch: the missing-values message, FileChanged from the edit
// texts, RefreshPanel, the next node offered after Change values, RedrawView.
void OkCommonTail(const OkCommandState& ok);
// "Must input" n " parameters", caption "Input Error".
void ShowMissingValues(int n);
// The branch for a heading, or null for a heading without one (only the common tail
// follows).
OkBranch FindOkBranch(Heading heading);

// What follows a menu command.
enum MenuAfter : unsigned {
  AfterNothing = 0,
  AfterRedraw = 1,
  AfterRefresh = 2,
  AfterCloseFileDialog = 4,  // FileDialogOpen := false (before the redraw)
};
using MenuHandler = void (*)();
struct MenuCommandEntry {
  CommandId id;
  MenuHandler handler;
  unsigned after;  // MenuAfter bits
};
// The entry for a menu id, or null for an unknown id.
const MenuCommandEntry* FindMenuCommand(CommandId id);
