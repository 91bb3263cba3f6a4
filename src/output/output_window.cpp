#include "output/output_window.h"

#include "platform/platform.h"

OutputStore Output{};

void AppendOutputLine(const std::string& text) {
  // Blocks of 1000 lines keep the reallocations few on long log listings.
  if (Output.lines.size() % 1000 == 0) Output.lines.reserve(Output.lines.size() + 1000);
  Output.lines.push_back(text);
}

void ShowOutputWindow(int width, int height, const std::string& title) {
  Output.width = width != 0 ? width : 270;
  Output.height = height != 0 ? height : 200;
  Output.title = title.empty() ? "Output" : title;
  Output.open = true;
  GetPlatform().ShowOutputWindow(Output.width, Output.height, Output.title);
}

void CloseOutputWindow() {
  if (!Output.open) return;
  GetPlatform().CloseOutputWindow();
  OutputWindowClosed();
}

void OutputWindowClosed() {
  Output.lines.clear();
  Output.open = false;
}
