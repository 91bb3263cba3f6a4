// The property set as JSON, byte for byte as report --json and the scenario's props
// write it.
#include "cli/properties_json.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(PropertiesJsonTest, KeysInOrderAndSeventeenSignificantDigits) {
  // Whole numbers without a point, -0 kept, exponents as printf writes them.
  const PropertySet p{100, 5.0000000000000009, 0.1, 833.33333333333303, 1e300,
                      -4.5474735088646412e-13, -0.0, 1.0 / 3, 90};
  EXPECT_EQ(PropertiesJson(p),
            "{\"A\": 100, \"xBar\": 5.0000000000000009, \"yBar\": 0.10000000000000001, "
            "\"Ixx\": 833.33333333333303, \"Iyy\": 1.0000000000000001e+300, "
            "\"Ixy\": -4.5474735088646412e-13, \"Imax\": -0, \"Imin\": 0.33333333333333331, "
            "\"angle\": 90}");
}

TEST(PropertiesJsonTest, NonFiniteValuesAreNull) {
  const PropertySet p{NAN, INFINITY, -INFINITY, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(PropertiesJson(p),
            "{\"A\": null, \"xBar\": null, \"yBar\": null, \"Ixx\": 1, \"Iyy\": 2, \"Ixy\": 3, "
            "\"Imax\": 4, \"Imin\": 5, \"angle\": 6}");
}

// report --json: the nine values exactly as before, then the moduli, null where
// unavailable.
TEST(PropertiesJsonTest, ReportAddsTheModuliAfterTheNineValues) {
  const PropertySet p{100, 5, 5, 833.33333333333303, 833.33333333333303, 0, 1, 2, 90};
  ModuliSet m{};
  m.rx = 2.8867513459481287;
  m.Wplx = 250;
  m.perimeter = NAN;
  const std::string nine = PropertiesJson(p);
  const std::string report = ReportJson(p, m);
  ASSERT_EQ(report.substr(0, nine.size() - 1), nine.substr(0, nine.size() - 1));
  EXPECT_EQ(report.substr(nine.size() - 1),
            ", \"rx\": 2.8867513459481287, \"ry\": 0, \"rmax\": 0, \"rmin\": 0, "
            "\"WelxTop\": 0, \"WelxBottom\": 0, \"WelyLeft\": 0, \"WelyRight\": 0, "
            "\"Welu\": 0, \"Welv\": 0, \"Wplx\": 250, \"Wply\": 0, \"Wplu\": 0, \"Wplv\": 0, "
            "\"xPNA\": 0, \"yPNA\": 0, \"perimeter\": null}");
  EXPECT_EQ(ModuliJson(m), "{" + report.substr(nine.size() + 1));
}

}  // namespace
