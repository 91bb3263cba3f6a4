// The printed page of File / Print: the section file's name, the property report in
// two columns, and the drawing in black outlines.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "platform/print_job.h"
#include "view/view_options.h"

// The world window the drawing is printed in: twice the extent's larger side high,
// as wide as the printable area's aspect asks, centred on the extent's centre.
struct PrintWindow {
  double left, top, right, bottom;
};
PrintWindow PrintedDrawingWindow(const ViewExtent& extent, const PageMetrics& page);

// Draws the page on canvas, whose device is the printable area: fileName and the 13
// report lines (Calc.reportLines, already built) at their places, then every shown
// section once as an outline (no fill, numbers or phantom points) and, when they are
// on, the principal axes.
void DrawPrintedPage(Canvas& canvas, const PageMetrics& page, const std::string& fileName,
                     const ViewExtent& extent);
