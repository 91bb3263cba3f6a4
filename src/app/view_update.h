// The GraphicView redrawn from the tables, with what follows from the drawing for
// the panel and the menus.
#pragma once

// RedrawView; an empty table starts a new polygon instead, and Principal Axes
// carries its check mark while the axes are drawn.
void UpdateView();
