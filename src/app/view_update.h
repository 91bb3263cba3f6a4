// The GraphicView redrawn from the tables, with what follows from the drawing for
// the panel and the menus.
#pragma once

// RedrawView; an empty table (no sections and no phantom points) starts a new
// polygon instead, and Principal Axes carries its check mark while the axes are
// drawn.
void UpdateView();
// RedrawView without touching the panel: an empty table only clears the view
// (false).
bool RedrawKeepingPanel();
