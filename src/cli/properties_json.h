// The stored property set as one JSON object, shared by `report --json` and the
// scenario driver's `props`.
#pragma once

#include <string>

#include "analysis/torsion_analysis.h"
#include "model/moduli.h"
#include "model/properties.h"

// Keys A, xBar, yBar, Ixx, Iyy, Ixy, Imax, Imin, angle; 17 significant digits give
// back the exact double; JSON has no infinities or NaN, so those print as null.
std::string PropertiesJson(const PropertySet& p);

// The moduli as one JSON object: rx, ry, rmax, rmin, WelxTop, WelxBottom, WelyLeft,
// WelyRight, Welu, Welv, Wplx, Wply, Wplu, Wplv, xPNA, yPNA, perimeter; null for the
// values that are unavailable.
std::string ModuliJson(const ModuliSet& m);

// The torsion analysis as one JSON object: J, Iw, xs, ys, xsT, ysT, Asx, Asy, Jerr,
// elements; null for every value when it could not be worked out.
std::string TorsionJson(const TorsionAnalysis& t);

// The nine keys of PropertiesJson, byte for byte, followed by the moduli's keys.
std::string ReportJson(const PropertySet& p, const ModuliSet& m);
