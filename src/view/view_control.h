// The view commands: what each does to the view options. The caller redraws and
// sets the menu marks and the panel from what these return.
#pragma once

// View / Normal: every option back to the plain picture; pan stays.
void NormalView();

// View / Without Nodes: toggles the node numbers; true while they are hidden.
bool ToggleNodeNumbers();

// View / Principal Axes: toggles the axes (drawn from the stored results, which the
// caller makes current); true while they are on.
bool TogglePrincipalAxes();

// View / One-Section: n shows only section n when it is not 0 and not above the
// section count (a negative n is taken and shows nothing); otherwise every section
// is shown again. True when one section is now shown.
bool ShowOneSection(int n);

// View / Fill Net-Section: the next redraw fills the sections.
void FillNetSection();

// Identify Section: the typed section number, or 0 for the one after the last
// identified, skipping deleted sections; after the last section the walk starts
// over. Returns the section highlighted by the next redraw, or 0 when none is.
int IdentifySection(int typed);

// The magnification factors the view accepts: beyond these the visible square is
// too small for the single-precision nodes to mean anything, or too large to map.
inline constexpr double MinMagnification = 1e-6;
inline constexpr double MaxMagnification = 1e6;
// View / Magnify with a finite factor: 0 becomes 1, a factor whose size lies
// outside MinMagnification..MaxMagnification is brought to the nearer bound (its
// sign kept: a negative factor turns the picture). Returns the factor in force.
double SetMagnification(double factor);

// An arrow key while magnified: the view centre moves by a twentieth of the last
// redraw's extent (dx, dy are -1, 0 or 1). False, and nothing moves, while the
// extent is empty (nothing was shown), so the pan never takes up its ±1e99.
bool PanView(int dx, int dy);
