// The printed page of File / Print: the section file's name, the property report in
// two columns, and the drawing in black outlines.
#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/print_job.h"
#include "view/view_options.h"

// The world window the drawing is printed in: twice the extent's larger side high,
// as wide as the printable area's aspect asks, centred on the extent's centre.
struct PrintWindow {
  double left, top, right, bottom;
};
PrintWindow PrintedDrawingWindow(const ViewExtent& extent, const PageMetrics& page);

// The file name as printed in lines of at most maxChars characters: whole when it
// fits, else shortened from the left at a folder boundary ("..." first), so that
// the file's own name is always printed in full; a name longer than a line runs on
// over further lines.
std::vector<std::string> PrintedFileNameLines(const std::string& path, int maxChars);

// Draws the page on canvas, whose device is the printable area: fileName and the 13
// report lines (Calc.reportLines, already built) at their places, then every shown
// section once as an outline (no fill, numbers or phantom points) and, when they are
// on, the principal axes, clipped to the part of the page below the text.
void DrawPrintedPage(Canvas& canvas, const PageMetrics& page, const std::string& fileName,
                     const ViewExtent& extent);
