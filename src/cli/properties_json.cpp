#include "cli/properties_json.h"

#include <cmath>
#include <cstdio>
#include <utility>

std::string PropertiesJson(const PropertySet& p) {
  const std::pair<const char*, double> values[] = {
      {"A", p.A},     {"xBar", p.xBar}, {"yBar", p.yBar}, {"Ixx", p.Ixx},    {"Iyy", p.Iyy},
      {"Ixy", p.Ixy}, {"Imax", p.Imax}, {"Imin", p.Imin}, {"angle", p.angle}};
  std::string out = "{";
  for (const auto& [key, value] : values) {
    if (out.size() > 1) out += ", ";
    char buffer[40] = "null";
    if (std::isfinite(value)) std::snprintf(buffer, sizeof buffer, "%.17g", value);
    out += "\"" + std::string(key) + "\": " + buffer;
  }
  return out + "}";
}
