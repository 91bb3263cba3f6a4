#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
Platform* current = nullptr;
}

void SetPlatform(Platform* platform) { current = platform; }

Platform& GetPlatform() {
  if (current == nullptr) {
    std::fputs("kelvarin: no platform set\n", stderr);
    std::abort();
  }
  return *current;
}

MessageResult PlatformMessageBox(const std::string& text, const std::string& caption,
                                 MessageStyle style) {
  return GetPlatform().MessageBox(text, caption, style);
}

MessageResult MessageDialog(const std::string& message, MessageStyle style,
                            const std::string& title, bool beep, int x, int y) {
  return GetPlatform().MessageDialog(message, style, title, beep, x, y);
}

std::string InputDialog(const std::string& prompt, const std::string& title,
                        const std::string& defaultAnswer) {
  return GetPlatform().InputDialog(prompt, title, defaultAnswer);
}
