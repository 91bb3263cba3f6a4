// The drawing of the whole view: every shown section, the phantom points and the
// principal axes, on the platform's view canvas.
#pragma once

// What a redraw did, for the caller to reflect in the panel and the menus.
struct ViewDrawn {
  bool emptyTable = false;       // no sections, no phantom points: nothing was drawn
  bool mappingComputed = false;  // a full redraw (not a highlight over the last picture)
  bool principalAxes = false;    // the principal axes are on (drawn when anything shows)
};

ViewDrawn RedrawView();
