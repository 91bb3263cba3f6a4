// The seam of the keyboard hook: the window hands every key press to the installed
// hook once (the Qt event filter, or a scenario's `key` action).
#pragma once

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
};

// Returns true when the key is swallowed (the focused control never sees it).
using KeyboardHookFunction = bool (*)(const KeyPress& key);

void InstallKeyboardHook(KeyboardHookFunction hook);
void RemoveKeyboardHook();
// Hands a key press to the hook; false when no hook is installed.
bool PressKey(const KeyPress& key);
