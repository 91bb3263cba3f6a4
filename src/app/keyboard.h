// The seam of the keyboard hook: the window hands every key press to the installed
// hook once (the Qt event filter, or kelvarin-cli's `key` action).
#pragma once

struct KeyPress {
  int code = 0;  // virtual-key code: 13 Enter, 27 Esc, 37-40 arrows, 112.. F-keys, 'A'..'Z'
  bool shift = false;
  bool ctrl = false;
};

// Returns 1 when the key is swallowed (the focused control never sees it), else 0.
using KeyboardHookFunction = int (*)(const KeyPress& key);

void InstallKeyboardHook(KeyboardHookFunction hook);
void RemoveKeyboardHook();
// Hands a key press to the hook; false when no hook is installed.
bool PressKey(const KeyPress& key);
