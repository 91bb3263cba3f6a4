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
  friend bool operator==(const OutputStore&, const OutputStore&) = default;
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

// The window's view of the lines: font cell, client size and scroll positions. The
// platform measures and resizes; the arithmetic is here.
struct OutputView {
  int charWidth = 1, lineHeight = 1;  // pixel size of "X" in the window's font
  int maxLen = 0;                     // characters in the longest line
  int visibleCols = 0, visibleRows = 0;
  int topLine = 1, leftCol = 1;       // first line and first character shown, from 1
};

// One scroll bar. Shown only while the content exceeds the window; positions run
// from 1 to count - visible + 1 and a page step moves by page, not a window.
struct OutputScrollBar {
  bool shown = false;
  int minimum = 1, maximum = 1, page = 1, position = 1;
};

enum class ScrollRequest { LineForward, LineBack, PageForward, PageBack, Thumb };

// The view for the stored lines in a fresh window: the cell measured, maxLen from
// the lines, at the top left.
OutputView OpenOutputView(int charWidth, int lineHeight);
// A new client size: visible columns and rows; a direction that now fits is
// scrolled back to its start.
void ResizeOutputView(OutputView& view, int clientWidth, int clientHeight);
// The scroll bar of count lines (or columns) with visible of them shown at position.
OutputScrollBar OutputScrollBarFor(int count, int visible, int position);
// The position after a request; unchanged when everything fits. thumb is the
// track position of a dragged or released thumb.
int ScrollOutput(int count, int visible, int position, ScrollRequest request, int thumb = 0);
void ScrollOutputVertically(OutputView& view, ScrollRequest request, int thumb = 0);
void ScrollOutputHorizontally(OutputView& view, ScrollRequest request, int thumb = 0);

// One painted line: its pixel position and the characters shown.
struct OutputPaintLine {
  int x = 0, y = 0;
  std::string text;
};
// The lines a paint writes, from topLine while they fit, each cut to the visible
// columns from leftCol (at most 127 characters).
std::vector<OutputPaintLine> OutputLinesToPaint(const OutputView& view);
