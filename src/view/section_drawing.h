// The geometry of the drawing, shared by the screen view and the printed page:
// the extent of a section, one section drawn by its kind, and the principal axes.
#pragma once

#include <string>

#include "platform/canvas.h"
#include "view/view_options.h"

// A number as the view writes it: a leading blank unless negative (" 7").
std::string NumberText(int n);

// Widens the extent by the points of section s (polygon nodes, a circle's square,
// an arc segment's or radial block's corner points). Merge data adds nothing; the
// caller applies its lone-section rule.
void ExtendBySection(ViewExtent& extent, int s);
void ExtendByPoint(ViewExtent& extent, double x, double y);

struct SectionStyle {
  Rgb colour = Black;
  bool filled = false;   // flood fill from the section's seed after the outline
  bool numbers = false;  // write node / section numbers
};

// Draws section s on the canvas. extent sizes the merge-data marker. Returns true
// and sets seed when the section has a fill seed (every kind but merge data).
bool DrawSection(Canvas& canvas, int s, const SectionStyle& style, const ViewExtent& extent,
                 WorldPoint& seed);

// The two principal axes through the centroid of the stored results, half-length
// a tenth of the extent's larger side, the first with "p" at both ends.
void DrawPrincipalAxes(Canvas& canvas, const ViewExtent& extent);
