// What section entry shares with the editor (Edit data, Change values): the second
// line's prompt and how its values are stored.
#pragma once

#include "model/section_table.h"

// The prompt of a piece's second line; the editor's radial block prompt is shorter.
const char* SecondPrompt(SectionKind kind, bool editing);

// Stores the second line's three values in the row; whenever t is negative, the
// sign column takes the sign of the second value less the first. Angles lose their
// whole turns before they are held in single precision: a sector's each on its own,
// a chord segment's so that the difference keeps its sign, a radial block's line
// angle.
void StoreSecondLine(ParamRow& row, SectionKind kind, double p, double q, double t);
