// The stored property set as one JSON object, shared by `report --json` and the
// scenario driver's `props`.
#pragma once

#include <string>

#include "model/properties.h"

// Keys A, xBar, yBar, Ixx, Iyy, Ixy, Imax, Imin, angle; 17 significant digits give
// back the exact double; JSON has no infinities or NaN, so those print as null.
std::string PropertiesJson(const PropertySet& p);
