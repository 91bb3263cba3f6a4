// The output window's lines and open flag. Producers close an open window, append
// their lines and show it; the platform only paints what is stored here.
#pragma once

#include <string>
#include <vector>

struct OutputStore {
  std::vector<std::string> lines;  // line i of the window is lines[i - 1]
  bool open = false;
  int width = 0;
  int height = 0;
  std::string title;
};

extern OutputStore Output;

void AppendOutputLine(const std::string& text);
// Opens the window width x height (0 gives 270 or 200) with the caption ("Output"
// when empty). The open flag stays set until the window is closed.
void ShowOutputWindow(int width, int height, const std::string& title);
// Closes an open window: its lines are discarded.
void CloseOutputWindow();
// Called by the platform when the window has gone (close box, Escape, closed by us).
void OutputWindowClosed();
