// Repaints the whole GraphicView from the section table and the view options.
#pragma once

void RedrawView();
