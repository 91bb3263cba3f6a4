#include "output/output_window.h"

#include <algorithm>
#include <cmath>

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

OutputView OpenOutputView(int charWidth, int lineHeight) {
  OutputView view;
  view.charWidth = std::max(charWidth, 1);
  view.lineHeight = std::max(lineHeight, 1);
  for (const std::string& line : Output.lines)
    view.maxLen = std::max(view.maxLen, static_cast<int>(line.size()));
  return view;
}

void ResizeOutputView(OutputView& view, int clientWidth, int clientHeight) {
  view.visibleCols = std::max(clientWidth / view.charWidth - 2, 0);
  view.visibleRows = std::max(clientHeight / view.lineHeight, 0);
  if (view.maxLen <= view.visibleCols) view.leftCol = 1;
  if (static_cast<int>(Output.lines.size()) <= view.visibleRows) view.topLine = 1;
}

OutputScrollBar OutputScrollBarFor(int count, int visible, int position) {
  OutputScrollBar bar;
  if (visible >= count) return bar;
  bar.shown = true;
  bar.page = std::max(3, static_cast<int>(std::lround((count - visible) / 10.0)));
  bar.maximum = count - visible + bar.page;
  bar.position = position;
  return bar;
}

int ScrollOutput(int count, int visible, int position, ScrollRequest request, int thumb) {
  if (visible >= count) return position;
  const OutputScrollBar bar = OutputScrollBarFor(count, visible, position);
  const int last = bar.maximum - bar.page + 1;  // count - visible + 1
  switch (request) {
    case ScrollRequest::LineForward:
      return position + visible - 1 < count ? position + 1 : position;
    case ScrollRequest::LineBack:
      return position > 1 ? position - 1 : position;
    case ScrollRequest::PageForward:
      return std::min(last, position + bar.page);
    case ScrollRequest::PageBack:
      return std::max(1, position - bar.page);
    case ScrollRequest::Thumb:
      // The platform's track never passes the last position; a stray value is held.
      return std::clamp(thumb, 1, last);
  }
  return position;
}

void ScrollOutputVertically(OutputView& view, ScrollRequest request, int thumb) {
  view.topLine = ScrollOutput(static_cast<int>(Output.lines.size()), view.visibleRows,
                              view.topLine, request, thumb);
}

void ScrollOutputHorizontally(OutputView& view, ScrollRequest request, int thumb) {
  view.leftCol = ScrollOutput(view.maxLen, view.visibleCols, view.leftCol, request, thumb);
}

std::vector<OutputPaintLine> OutputLinesToPaint(const OutputView& view) {
  std::vector<OutputPaintLine> out;
  const int count = static_cast<int>(Output.lines.size());
  const std::size_t width = static_cast<std::size_t>(std::clamp(view.visibleCols, 0, 127));
  for (int i = std::max(view.topLine, 1); i <= count && static_cast<int>(out.size()) < view.visibleRows;
       ++i) {
    const std::string& line = Output.lines[i - 1];
    const std::size_t from = static_cast<std::size_t>(std::max(view.leftCol, 1) - 1);
    out.push_back({view.charWidth, (i - view.topLine) * view.lineHeight,
                   from < line.size() ? line.substr(from, width) : std::string()});
  }
  return out;
}
