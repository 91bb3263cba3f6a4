// The whole analysis through the tables, as the command-line tool and the window run
// it: closed forms at the default accuracy with an error estimate that bounds the
// true error, a published worked example, composites and the refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/torsion_analysis.h"
#include "app/program_state.h"
#include "model/cut.h"
#include "model/properties.h"
#include "support/core_test.h"
#include "support/table_builder.h"

namespace {

class TorsionAnalysisTest : public CoreTest {
 protected:
  TorsionAnalysis Analyse(double poisson = DefaultPoisson, double accuracy = DefaultTorsionAccuracy) {
    ComputePropertySet();
    return AnalyseTorsion(BuildCutModel(), poisson, accuracy);
  }
  // The true relative error of J is below 1e-5 and below the estimate.
  static void ExpectJ(const TorsionAnalysis& t, double exact) {
    ASSERT_TRUE(t.ok) << t.reason;
    const double error = std::fabs(t.J - exact) / exact;
    EXPECT_LT(error, 1e-5) << "J " << t.J << " exact " << exact;
    EXPECT_LT(error, t.Jerr) << "the estimate " << t.Jerr << " is below the true error";
    EXPECT_LE(t.Jerr, DefaultTorsionAccuracy);
  }
};

constexpr double Pi = std::numbers::pi;

// J of a b x t rectangle (b >= t) from its series.
double RectangleJ(double b, double t) {
  double sum = 0;
  for (int n = 1; n < 200; n += 2) sum += std::tanh(n * Pi * b / (2 * t)) / std::pow(n, 5);
  return b * t * t * t / 3 * (1 - 192 / std::pow(Pi, 5) * (t / b) * sum);
}

TEST_F(TorsionAnalysisTest, ClosedForms) {
  AddCircle(3, -2, 1);
  TorsionAnalysis t = Analyse();
  ExpectJ(t, Pi / 2);
  EXPECT_LT(std::fabs(t.Iw), 1e-6);
  EXPECT_NEAR(t.xs, 3, 1e-6);
  EXPECT_NEAR(t.ys, -2, 1e-6);
  EXPECT_NEAR(t.xsT, 3, 1e-6);
  EXPECT_NEAR(t.ysT, -2, 1e-6);

  ResetTables();
  AddCircle(0, 0, 1);
  AddCircle(0, 0, 0.5, -1);
  ExpectJ(Analyse(), Pi / 2 * (1 - std::pow(0.5, 4)));

  ResetTables();
  AddPolygon({{0, 0}, {2, 0}, {2, 1}, {0, 1}});
  t = Analyse();
  ExpectJ(t, RectangleJ(2, 1));
  EXPECT_NEAR(t.xs, 1, 1e-6);
  EXPECT_NEAR(t.ys, 0.5, 1e-6);

  ResetTables();
  const double h = std::sqrt(3.0);  // the triangle of side 2
  AddPolygon({{-1, 0}, {1, 0}, {0, h}});
  t = Analyse();
  ExpectJ(t, std::sqrt(3.0) * 16 / 80);
  EXPECT_NEAR(t.xs, 0, 1e-6 * 2);  // on the axis of symmetry
  EXPECT_NEAR(t.xsT, 0, 1e-6 * 2);
}

TEST_F(TorsionAnalysisTest, PilkeysChannel) {
  // Thickness 1, flanges 8 from the web's centre line, 18 between the flanges'.
  AddPolygon({{-0.5, -9.5}, {8, -9.5}, {8, -8.5}, {0.5, -8.5}, {0.5, 8.5}, {8, 8.5}, {8, 9.5},
              {-0.5, 9.5}});
  const TorsionAnalysis t = Analyse(1.0 / 3, 1e-3);
  ASSERT_TRUE(t.ok) << t.reason;
  // The book's J comes from a coarse mesh; the converged value is about 11.27.
  EXPECT_NEAR(t.J, 11.27, 11.27 * 1e-3);
  EXPECT_NEAR(t.Iw, 12763.15, 12763.15 * 1e-3);
  EXPECT_NEAR(t.xs, -2.86769, 2.86769 * 1e-3);
  EXPECT_NEAR(t.xsT, -2.86759, 2.86759 * 1e-3);
  EXPECT_NEAR(t.ys, 0, 19 * 1e-6);  // on the axis of symmetry, to 1e-6 of the size
  EXPECT_NEAR(t.ysT, 0, 19 * 1e-6);
  EXPECT_GT(t.xsT, t.xs);  // the elastic centre lies further out with ν = 1/3
  EXPECT_NEAR(t.A / t.Asx, 3.40789, 3.40789 * 2e-3);
  EXPECT_NEAR(t.A / t.Asy, 2.15337, 2.15337 * 1e-3);
}

TEST_F(TorsionAnalysisTest, WeightsAreModularRatios) {
  AddPolygon({{0, 0}, {2, 0}, {2, 1}, {0, 1}});
  const TorsionAnalysis one = Analyse(DefaultPoisson, 1e-3);
  ResetTables();
  AddPolygon({{0, 0}, {2, 0}, {2, 1}, {0, 1}}, 2);
  const TorsionAnalysis two = Analyse(DefaultPoisson, 1e-3);
  ASSERT_TRUE(one.ok && two.ok);
  EXPECT_NEAR(two.J, 2 * one.J, 1e-12 * one.J);
  EXPECT_NEAR(two.Asx, 2 * one.Asx, 1e-12 * one.Asx);
  EXPECT_NEAR(two.xs, one.xs, 1e-12);
}

TEST_F(TorsionAnalysisTest, RefusalsSayWhy) {
  AddMergeData(0, 0, 1, 1, 1, 0);
  EXPECT_NE(Analyse().reason.find("merge data"), std::string::npos);
  ResetTables();
  AddPolygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  AddPolygon({{1, 1}, {2, 1}, {2, 2}, {1, 2}});  // touching at a corner only
  EXPECT_FALSE(Analyse().ok);
  ResetTables();
  AddPolygon({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
  AddCircle(1, 0.5, 0.3, -1);  // a hole reaching out of its plate
  const TorsionAnalysis t = Analyse();
  EXPECT_FALSE(t.ok);
  EXPECT_NE(t.reason.find("negative"), std::string::npos) << t.reason;
}

}  // namespace
