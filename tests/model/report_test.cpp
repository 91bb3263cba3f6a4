// Number formatting, the report text, other axes and line properties.
#include <limits>

#include "app/report_window.h"
#include "app/program_state.h"
#include "model/other_axes.h"
#include "model/properties.h"
#include "model/report.h"
#include "output/output_window.h"
#include "model/shared_state.h"
#include "support/core_test.h"

namespace {

TEST(FormatValueTest, MasksOfTheReport) {
  EXPECT_EQ(FormatValue(12.3456, "#.000"), "12.346");
  EXPECT_EQ(FormatValue(0.25, "#.000"), ".250");
  EXPECT_EQ(FormatValue(0, "#.000"), ".000");
  EXPECT_EQ(FormatValue(-2.5, "#.000"), "-2.500");
  EXPECT_EQ(FormatValue(-0.25, "#.000"), "-.250");
  EXPECT_EQ(FormatValue(100.4, "#"), "100");
  EXPECT_EQ(FormatValue(90, "#"), "90");
  EXPECT_EQ(FormatValue(0, "#"), "0");
  EXPECT_EQ(FormatValue(1.0 / 3, "#.000000"), ".333333");
  EXPECT_EQ(FormatValue(140517158.6342, "#.000"), "140517158.634");
}

TEST(FormatValueTest, MasksOfTheLog) {
  EXPECT_EQ(FormatValue(1.5, "* #.000"), "  1.500");
  EXPECT_EQ(FormatValue(10, "* #.000"), " 10.000");
  EXPECT_EQ(FormatValue(0, "* #.000"), "   .000");
  EXPECT_EQ(FormatValue(1234.5, "* #.000"), "1234.500");
  EXPECT_EQ(FormatValue(7, "* #"), "  7");
  EXPECT_EQ(FormatValue(250, "* #"), "250");
  EXPECT_EQ(FormatValue(-1.5, "* #.000"), " -1.500");
}

TEST(FormatValueTest, RoundingOfHalvesAndTinyNegatives) {
  EXPECT_EQ(FormatValue(2.5, "#"), "3");
  EXPECT_EQ(FormatValue(-2.5, "#"), "-3");
  EXPECT_EQ(FormatValue(0.125, "#.00"), ".13");
  EXPECT_EQ(FormatValue(9.9995, "#.000"), "9.999");  // 9.99949999... in binary
  EXPECT_EQ(FormatValue(9.9996, "#.000"), "10.000");
  EXPECT_EQ(FormatValue(9.5, "#"), "10");
  EXPECT_EQ(FormatValue(-0.0001, "#.000"), ".000");  // no "-0"
  EXPECT_EQ(FormatValue(0.4, "#"), "0");
}

// Halves round away from zero at every magnitude, also where a double has no
// room left for a fraction beyond the half.
TEST(FormatValueTest, HalvesRoundAwayFromZeroAtAnyMagnitude) {
  EXPECT_EQ(FormatValue(2.5e15 + 0.5, "#"), "2500000000000001");
  EXPECT_EQ(FormatValue(-(2.5e15 + 0.5), "#"), "-2500000000000001");
  EXPECT_EQ(FormatValue(4503599627370494.5, "#"), "4503599627370495");
  EXPECT_EQ(FormatValue(1e15 + 0.25, "#.0"), "1000000000000000.3");
  EXPECT_EQ(FormatValue(1e15 + 0.125, "#.00"), "1000000000000000.13");
  EXPECT_EQ(FormatValue(999999999999999.5, "* #"), "1000000000000000");
  EXPECT_EQ(FormatValue(0.5, "#"), "1");
  EXPECT_EQ(FormatValue(-0.0625, "#.000"), "-.063");
  EXPECT_EQ(FormatValue(0.0009765625, "#.000000"), ".000977");  // 2^-10
  // Large values that are not halves keep every digit.
  EXPECT_EQ(FormatValue(1e17, "#.000"), "100000000000000000.000");
  EXPECT_EQ(FormatValue(0x1p70, "#"), "1180591620717411303424");
}

// A value that is not a number is named, never printed as digits.
TEST(FormatValueTest, NonFiniteValuesAreWords) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(FormatValue(inf, "#.000"), "infinite");
  EXPECT_EQ(FormatValue(-inf, "#"), "-infinite");
  EXPECT_EQ(FormatValue(nan, "#.000"), "undefined");
  EXPECT_EQ(FormatValue(-nan, "#.000"), "undefined");
  // In a filled field they are right-aligned like numbers.
  EXPECT_EQ(FormatValue(inf, "* #.000"), "infinite");
  EXPECT_EQ(FormatValue(inf, "* #.000000"), "  infinite");
}

TEST(FormatValueTest, MasksFromDigits) {
  EXPECT_EQ(ValueMask(3), "#.000");
  EXPECT_EQ(ValueMask(0), "#");
  EXPECT_EQ(LogMask(3), "* #.000");
  EXPECT_EQ(LogMask(0), "* #");
}

class ReportTest : public CoreTest {};

TEST_F(ReportTest, ReportShowsFifteenLinesInTheKelvarinWindow) {
  AddPolygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  ComputeProperties();
  auto windows = OutputWindows();
  ASSERT_EQ(windows.size(), 1u);
  EXPECT_EQ(windows[0].caption, "Kelvarin");
  EXPECT_EQ(windows[0].width, 250);
  EXPECT_EQ(windows[0].height, 300);
  std::vector<std::string> expected = {
      " Centroidal Axes", "", " Area \t=   100.000", " xBar \t=   5.000",
      " yBar \t=   5.000", " Ixx  \t=   833.333", " Iyy  \t=   833.333",
      " Ixy  \t=   .000", "", "", " Principal Axes", "", " Imax \t=   833.333",
      " Imin \t=   833.333", "Angle \t=   .000  Degrs"};
  EXPECT_EQ(windows[0].lines, expected);
  EXPECT_FALSE(Output.open);
}

TEST_F(ReportTest, DigitsSettingChangesEveryValue) {
  Shared.SigDigits = 0;
  AddPolygon({{0, 0}, {20.08, 0}, {20.08, 5}, {0, 5}});  // A = 100.4, wide: angle 90
  ComputeProperties();
  EXPECT_EQ(Calc.reportLines[2], " Area \t=   100");
  EXPECT_EQ(Calc.reportLines[12], "Angle \t=   90  Degrs");
  Shared.SigDigits = 6;
  ResetTables();
  AddPolygon({{0, 0}, {1, 0}, {0, 1}});  // xBar = 1/3
  ComputeProperties();
  EXPECT_EQ(Calc.reportLines[3], " xBar \t=   .333333");
}

TEST_F(ReportTest, SilentCalculationBuildsLinesWithoutAWindow) {
  AddCircle(0, 0, 1);
  Calc.calcMode = CalcSilent;
  ComputeProperties();
  EXPECT_TRUE(OutputWindows().empty());
  EXPECT_EQ(Calc.reportLines[2], " Area \t=   3.142");
  EXPECT_EQ(Calc.calcMode, CalcIdle);
}

TEST_F(ReportTest, NonFiniteResultsAreNamedInTheReport) {
  AddCircle(0, 0, std::numeric_limits<double>::infinity());  // as a damaged file can give
  ComputeProperties();
  EXPECT_EQ(Calc.reportLines[2], " Area \t=   infinite");
  EXPECT_EQ(Calc.reportLines[3], " xBar \t=   undefined");
  EXPECT_EQ(Calc.reportLines[12], "Angle \t=   undefined  Degrs");
}

class OtherAxesTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    AddPolygon({{0, 0}, {2, 0}, {2, 2}, {0, 2}});
  }
  std::vector<std::string> Shown(double x0, double y0, double angle) {
    platform.ClearEvents();
    ComputePropertiesSilently();
    OtherAxes(x0, y0, angle);
    auto dialogs = EventsOfKind(PlatformEvent::ResultDialog);
    EXPECT_EQ(dialogs.size(), 1u);
    if (dialogs.empty()) return {};
    EXPECT_EQ(dialogs[0].caption, "Property Calculations");
    return dialogs[0].lines;
  }
};

TEST_F(OtherAxesTest, ParallelAxisAndRotation) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Shown(1, 1, 0), (V{"Ixx \t=   1.333", "Iyy \t=   1.333", "Ixy \t=   .000"}));
  EXPECT_EQ(Shown(0, 0, 0), (V{"Ixx \t=   5.333", "Iyy \t=   5.333", "Ixy \t=   4.000"}));
  EXPECT_EQ(Shown(0, 0, 90), (V{"Ixx \t=   5.333", "Iyy \t=   5.333", "Ixy \t=   -4.000"}));
  EXPECT_EQ(Shown(0, 0, 45), (V{"Ixx \t=   1.333", "Iyy \t=   9.333", "Ixy \t=   .000"}));
  EXPECT_TRUE(OutputWindows().empty());
  EXPECT_EQ(Calc.calcMode, CalcIdle);
}

TEST_F(OtherAxesTest, UnequalMomentsExchangeAtRightAngles) {
  ResetTables();
  AddPolygon({{0, 0}, {4, 0}, {4, 2}, {0, 2}});
  AxesMoments a = MomentsAboutAxes(1, 3, 0);
  AxesMoments b = MomentsAboutAxes(1, 3, 90);
  EXPECT_NEAR(a.Iu, b.Iv, 1e-12);
  EXPECT_NEAR(a.Iv, b.Iu, 1e-12);
  EXPECT_NEAR(a.Iuv, -b.Iuv, 1e-12);
}

TEST_F(OtherAxesTest, UnfinishedPolygonUsesTheStoredResults) {
  ComputePropertiesSilently();
  AddPolygon({{5, 5}, {6, 5}}, 1.0f, false);
  EXPECT_EQ(Shown(0, 0, 0)[0], "Ixx \t=   5.333");
}

TEST_F(OtherAxesTest, LineProperties) {
  ResetTables();
  AddPolygon({{0, 0}, {3, 4}}, 1.0f, false);
  LineProps l = LineProperties(1, 2);
  EXPECT_DOUBLE_EQ(l.length, 5);
  EXPECT_EQ(FormatValue(l.angleDeg, "#.000"), "53.130");
  EXPECT_EQ(FormatValue(LineProperties(2, 1).angleDeg, "#.000"), "233.130");
}

}  // namespace
