// The keyboard hook: arrow keys step polygon nodes or pan a magnified view, letters
// jump to BuildPanel groups, U and C undo and close, Enter submits the InputLine,
// Esc cancels. The hook turns a key into what the user could do by hand: select an
// item, type into the InputLine, press Ok, send a menu command.
//
// How the window feeds it (the Qt event filter, a scenario's `key` action):
// - Every key press of the main window and the output window goes to PressKey
//   exactly once: one call per press, one more per auto-repeat, none for a release.
//   A swallowed key is dropped; any other reaches the focused control as usual.
// - A key typed in a modal dialog is handed over with Focus::Dialog, or not at all:
//   the hook leaves it to the dialog, since the command that opened the dialog is
//   still running and must not be re-entered.
// - Enter presses Ok through this hook and no other way: the Ok button is no default
//   button and the InputLine's own Enter is connected to nothing. So one Enter in
//   the InputLine gives exactly one Ok, and none when the line starts with one of
//   "uldrULDR".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/main_panel.h"
#include "app/menu_ids.h"
#include "construct/panel_items.h"

// The keys the hook acts on, by their virtual-key codes.
enum class Key : int {
  None = 0,
  Enter = 13,
  Esc = 27,
  Left = 37,
  Up = 38,
  Right = 39,
  Down = 40,
  F1 = 112,
  F3 = 114,
  F9 = 120,
  // Letters are their capital's code: 'A' is 65.
  A = 'A', B = 'B', C = 'C', E = 'E', F = 'F', I = 'I', L = 'L', M = 'M', P = 'P', R = 'R',
  U = 'U', V = 'V',
};

// A letter key from its character ('a'..'z' or 'A'..'Z'); Key::None otherwise.
constexpr Key LetterKey(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return c >= 'A' && c <= 'Z' ? static_cast<Key>(c) : Key::None;
}

struct KeyPress {
  Key key = Key::None;
  bool shift = false;
  bool ctrl = false;
  Focus focus = Focus::InputLine;  // where the focus was when the key went down
};

// One thing the hook does, in the order it does them.
struct KeyAction {
  enum Kind {
    ClickOk,              // the Ok button's command
    MenuCommand,          // menu command `command`, sent as the menu would
    SelectItem,           // BuildPanel item `item` is selected
    SetModeLabel,         // ModeLabel := `text`
    AppendToInputLine,    // `text` is added at the end of the InputLine
    RefreshPanel,
    Pan,                  // the view centre moves (dx, dy) twentieths; redraw
    Calculate,            // the calculation with its report
    ShowLogFile,
    CloseOtherAxes,       // the Other Axes result dialog is closed
    CloseOutputWindow,
    WithdrawPendingStep,  // the "How far ..." question is dropped
    EmptyInputLine,
    EmptyPrompt,
  };
  Kind kind = ClickOk;
  CommandId command = CommandOk;
  PanelItem item = PanelItem::None;
  std::string text = {};
  int dx = 0, dy = 0;
};

struct KeyResult {
  std::vector<KeyAction> actions;  // what the hook did
  bool swallow = false;            // the focused control never sees the key
};

// The hook: decides from the state at the press what the key does, does it, and
// says what it did. Silent while a menu or a file dialog is open, and for keys
// typed in a modal dialog.
KeyResult KeyboardHook(const KeyPress& press);

using KeyboardHookFunction = KeyResult (*)(const KeyPress& press);

// The hook in force; start-up installs it, ResetProgramState removes it.
struct KeyboardState {
  KeyboardHookFunction hook = nullptr;
  friend bool operator==(const KeyboardState&, const KeyboardState&) = default;
};
extern KeyboardState Keyboard;

void InstallKeyboardHook(KeyboardHookFunction hook);
void RemoveKeyboardHook();
// Hands a key press to the installed hook; nothing when none is installed.
std::optional<KeyResult> PressKey(const KeyPress& press);
