// The GraphicView's picture of the current tables, drawn offscreen: what
// kelvarin-cli draw writes to a PNG file.
#pragma once

#include <QImage>

class Platform;

struct ViewPictureOptions {
  int size = 800;          // pixels, the view is square
  bool fill = false;       // View / Fill Net-Section
  bool axes = false;       // View / Principal Axes, after a silent calculation
  bool noNumbers = false;  // View / Without Nodes
};

// Redraws the tables onto a raster canvas as the window would after the chosen
// view commands and returns the picture. The platform's view canvas is the picture's
// for the call and the one it had afterwards. Needs a QGuiApplication.
QImage RenderViewPicture(Platform& platform, const ViewPictureOptions& options);
