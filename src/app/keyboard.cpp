#include "app/keyboard.h"

namespace {
KeyboardHookFunction installedHook = nullptr;
}

void InstallKeyboardHook(KeyboardHookFunction hook) { installedHook = hook; }
void RemoveKeyboardHook() { installedHook = nullptr; }

bool PressKey(const KeyPress& key) {
  if (installedHook == nullptr) return false;
  installedHook(key);
  return true;
}
