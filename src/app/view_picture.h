// The GraphicView's picture of the current tables drawn on a canvas of the caller's:
// what kelvarin-cli draw writes to a PNG file.
#pragma once

class Canvas;
class Platform;

struct ViewPictureOptions {
  int size = 800;          // pixels, the view is square
  bool fill = false;       // View / Fill Net-Section
  bool axes = false;       // View / Principal Axes, after a silent calculation
  bool noNumbers = false;  // View / Without Nodes
};

// Redraws the tables onto picture (options.size pixels square) as the window would
// after the chosen view commands. The platform's view canvas is the picture for the
// call and the one it had afterwards.
void DrawViewPicture(Platform& platform, Canvas& picture, const ViewPictureOptions& options);
