// The standard profiles: every size of every family built and its properties
// checked against the published tables; placement, names and refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>

#include "analysis/torsion_analysis.h"
#include "app/program_state.h"
#include "files/profile_catalogue.h"
#include "files/profile_sections.h"
#include "model/cut.h"
#include "model/moduli.h"
#include "model/report.h"
#include "model/shared_state.h"
#include "support/core_test.h"
#include "util/text.h"

namespace {

const ProfileCatalogue& Catalogue() {
  static ProfileCatalogue catalogue;
  static bool read = false;
  if (!read) {
    std::string problem;
    const std::string folder = FindProfileFolder(KELVARIN_BUILD_FOLDER);
    EXPECT_FALSE(folder.empty()) << "no share/kelvarin/profiles in the build folder";
    EXPECT_TRUE(ReadProfileCatalogue(folder, catalogue, problem)) << problem;
    read = true;
  }
  return catalogue;
}

// A published figure as printed: its value and the half unit of its last digit.
// The tables give three significant figures; "27" is good to 0.5, "20400.0" to 50.
struct Published {
  double value;
  double rounding;
};

Published ReadPublished(const std::string& text) {
  const double v = std::stod(text);
  const std::size_t dot = text.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
  const double digitUnit = std::pow(10.0, -decimals);
  const double thirdFigure = std::pow(10.0, std::floor(std::log10(std::fabs(v))) - 2);
  return {v, std::max(digitUnit, thirdFigure) / 2};
}

// The published rows of a family: column name to text, by profile name.
std::map<std::string, std::map<std::string, std::string>> PublishedRows(const std::string& family) {
  std::ifstream in(std::string(KELVARIN_TEST_DATA) + "/profiles/" + LowerCase(family) + ".csv");
  std::map<std::string, std::map<std::string, std::string>> rows;
  std::vector<std::string> columns;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream split(line);
    for (std::string f; std::getline(split, f, ',');) fields.push_back(f);
    if (columns.empty()) {
      columns = fields;
      continue;
    }
    for (std::size_t k = 1; k < fields.size() && k < columns.size(); ++k)
      if (!fields[k].empty()) rows[fields[0]][columns[k]] = fields[k];
  }
  return rows;
}

class ProfilesTest : public CoreTest {};

// The published columns of a family and the computed values they are compared with.
std::map<std::string, double> ComputedValues(const PropertySet& p, const ModuliSet& m) {
  const double wely = std::min(m.WelxTop, m.WelxBottom), welz = std::min(m.WelyLeft, m.WelyRight);
  return {{"A", p.A},      {"Iy", p.Ixx},    {"Iz", p.Iyy},    {"I", p.Ixx},   {"Wely", wely},
          {"Welz", welz},  {"Wel", wely},    {"Wply", m.Wplx}, {"Wplz", m.Wply}, {"Wpl", m.Wplx},
          {"iy", m.rx},    {"iz", m.ry},     {"i", m.rx},      {"Iu", p.Imax}, {"Iv", p.Imin},
          {"iu", m.rmax},  {"iv", m.rmin}};
}

}  // namespace

// Every size of every family, built in the units of its table (cm for the EN
// tables, inches for AISC), against the published A, I, Wel, Wpl and i: within the
// rounding of the printed figure and a slack for what the tables do differently.
TEST_F(ProfilesTest, EverySizeAgreesWithItsPublishedProperties) {
  // Slack beyond the printed rounding, as a fraction of the value, by family and
  // column ("" for the others). The EN I and hollow tables agree within 0.1 %. Their
  // figures for UPN Wpl and i come from simplified sloped flanges (up to 2 %); AISC's
  // kdes is a design value, not the rolled fillet (up to 1.4 % where kdes - tf is
  // large); the largest angles (250x250x17-20, 300x300) of the source follow other
  // fillets than their r1 and r2 (up to 2.3 %, most in Iv, a difference of larger
  // moments). Unequal angles: the principal values of several sizes, and all values
  // of two sizes of the second source (45x30x4, 200x150x18), other radii again (up
  // to 0.8 %). UPE: minor-axis figures of UPE 80 and 200 (0.2 %). AISC HSS: always
  // a little above the exact 2 tdes / tdes corners, most for the minor axis of small
  // thick-walled sizes (0.5 %). AISC pipe: STD 14 to 24 were figured with the wall of
  // their ID, 0.350, not tdes 0.349 (0.25 %).
  const std::map<std::string, std::map<std::string, double>> slack = {
      {"W", {{"", 0.015}}},       {"L", {{"", 0.025}}},   {"UPN", {{"", 0.02}}},
      {"L-unequal", {{"", 0.008}}}, {"UPE", {{"", 0.003}}}, {"HSS", {{"", 0.005}}},
      {"Pipe", {{"", 0.003}}}};
  ASSERT_GE(Catalogue().families.size(), 17u);
  for (const ProfileFamily& family : Catalogue().families) {
    const auto published = PublishedRows(family.name);
    EXPECT_EQ(published.size(), family.sizes.size()) << family.name;
    std::map<std::string, double> extra = {{"", 0.001}};
    if (slack.count(family.name)) extra = slack.at(family.name);
    ProfilePlacement placement;
    placement.unitsGiven = true;
    placement.units = family.units == LengthUnit::In ? LengthUnit::In : LengthUnit::Cm;
    // The largest deviation beyond the printed rounding, relative to the value.
    double largest = 0;
    std::string where = "none";
    for (const ProfileSize& size : family.sizes) {
      ResetTables();
      ASSERT_EQ(AddProfile(family, size, placement), "") << size.name;
      const PropertySet p = Compute();
      const std::map<std::string, double> computed = ComputedValues(p, ComputeModuli());
      const auto row = published.find(size.name);
      ASSERT_NE(row, published.end()) << "no published row for " << size.name;
      for (const auto& [column, text] : row->second) {
        const Published want = ReadPublished(text);
        const double got = computed.at(column);
        const double allowed = extra.count(column) ? extra.at(column) : extra.at("");
        EXPECT_NEAR(got, want.value, want.rounding + allowed * std::fabs(want.value))
            << size.name << " " << column << " (published " << text << ")";
        const double beyond = (std::fabs(got - want.value) - want.rounding) / std::fabs(want.value);
        if (beyond > largest) {
          largest = beyond;
          where = size.name + " " + column + " " + std::to_string(got) + " for " + text;
        }
      }
    }
    std::printf("%-9s %3zu sizes, largest deviation beyond the rounding %.3f %% (%s)\n",
                family.name.c_str(), family.sizes.size(), 100 * largest, where.c_str());
  }
}

// IPE 300 from the library is the section typed by hand with the same dimensions:
// the same nodes and fillets, so the same report and moduli to the last digit, and
// the same torsion wherever it stands.
TEST_F(ProfilesTest, Ipe300IsTheSectionTypedByHand) {
  AddRolledISection(300, 150, 7.1, 10.7, 15);
  Compute();
  const SectionTable byHand = Table;
  const auto report = Calc.reportLines;
  const ModuliSet moduli = ComputeModuli();

  ResetTables();
  const ProfileMatch ipe = FindProfile(Catalogue(), "IPE 300");
  ASSERT_NE(ipe.size, nullptr);
  ProfilePlacement placement;
  placement.y = 150;  // the hand-typed section stands on y = 0
  ASSERT_EQ(AddProfile(*ipe.family, *ipe.size, placement), "");
  EXPECT_TRUE(Shared.FileChanged);
  EXPECT_TRUE(Table == byHand);
  Compute();
  EXPECT_EQ(Calc.reportLines, report);
  const ModuliSet m = ComputeModuli();
  EXPECT_NEAR(m.Wplx, moduli.Wplx, 1e-12 * moduli.Wplx);
  EXPECT_NEAR(m.WelyLeft, moduli.WelyLeft, 1e-12 * moduli.WelyLeft);
  const TorsionAnalysis typed = AnalyseTorsion(BuildCutModel(), DefaultPoisson, DefaultTorsionAccuracy);

  // Centred on its box, as the library places it by default, it is meshed anew: the
  // same J and Iw within the estimated error, the shear centre moved with it.
  ResetTables();
  ASSERT_EQ(AddProfile(*ipe.family, *ipe.size, {}), "");
  Compute();
  const TorsionAnalysis centred = AnalyseTorsion(BuildCutModel(), DefaultPoisson, DefaultTorsionAccuracy);
  ASSERT_TRUE(typed.ok && centred.ok) << typed.reason << centred.reason;
  EXPECT_NEAR(centred.J, typed.J, (typed.Jerr + centred.Jerr) * typed.J);
  EXPECT_NEAR(centred.Iw, typed.Iw, 1e-4 * typed.Iw);
  EXPECT_NEAR(centred.ys, typed.ys - 150, 1e-6 * 300);
  EXPECT_NEAR(centred.xs, 0, 1e-6 * 300);
}

// A quarter turn swaps the axes counter-clockwise, the units scale every length and
// the insertion point takes the bounding box's centre.
TEST_F(ProfilesTest, TurnUnitsAndInsertionPoint) {
  const ProfileMatch upn = FindProfile(Catalogue(), "upn200");
  ASSERT_NE(upn.size, nullptr);
  ASSERT_EQ(AddProfile(*upn.family, *upn.size, {}), "");
  const PropertySet flat = Compute();
  EXPECT_LT(flat.xBar, 0);  // the web is on the left of the box's centre
  EXPECT_NEAR(flat.yBar, 0, 1e-6);

  ResetTables();
  ProfilePlacement placement{2.5, -1, 90, true, LengthUnit::M};
  ASSERT_EQ(AddProfile(*upn.family, *upn.size, placement), "");
  const PropertySet turned = Compute();
  EXPECT_NEAR(turned.A, flat.A * 1e-6, 1e-5 * turned.A);
  EXPECT_NEAR(turned.xBar, 2.5, 1e-6);
  EXPECT_NEAR(turned.yBar, -1 + flat.xBar / 1000, 1e-6);
  EXPECT_NEAR(turned.Ixx, flat.Iyy * 1e-12, 1e-5 * turned.Ixx);
  EXPECT_NEAR(turned.Iyy, flat.Ixx * 1e-12, 1e-5 * turned.Iyy);

  placement.turn = 45;
  EXPECT_EQ(AddProfile(*upn.family, *upn.size, placement),
            "The turn must be 0, 90, 180 or 270 degrees.");
}

TEST_F(ProfilesTest, NamesIgnoreCaseAndBlanks) {
  for (const char* name : {"ipe300", " IPE  300 ", "l 100 x 100 x 10", "w14X90", "chs 219.1x8",
                           "RHS 200x100x8", "hem1000", "L 100x50x8", "rhs-cf 200x100x8",
                           "HSS6x6x1/4", "hss6.625x0.280", "Pipe8STD", "UPE 200"})
    EXPECT_NE(FindProfile(Catalogue(), name).size, nullptr) << name;
  EXPECT_EQ(FindProfile(Catalogue(), "IPE 310").size, nullptr);
  const std::vector<std::string> nearest = NearestProfileNames(Catalogue(), "ipe 310", 3);
  ASSERT_EQ(nearest.size(), 3u);
  EXPECT_EQ(nearest[0], "IPE 300");
  EXPECT_EQ(nearest[1], "IPE 330");
  const ProfileMatch w = FindProfile(Catalogue(), "W14x90");
  EXPECT_EQ(ProfileDimensionLines(*w.family, *w.size)[0], "d = 14 in");
}

TEST_F(ProfilesTest, Refusals) {
  ProfileFamily family;
  std::string problem;
  const std::string head = "# family: X\n# units: mm\n";
  EXPECT_FALSE(ReadProfileTable(head + "# shape: Z\nname,h\n", family, problem));
  EXPECT_EQ(problem, "line 4: unknown shape \"Z\"");
  EXPECT_FALSE(ReadProfileTable(head + "# shape: angle\nname,b,t,r1\nL 1,1,1,1\n", family, problem));
  EXPECT_EQ(problem, "line 4: no column r2 for the shape angle");
  EXPECT_FALSE(ReadProfileTable(head + "# shape: circular hollow\nname,D,t\nC 1,10,-1\n", family,
                                problem));
  EXPECT_EQ(problem, "line 5: \"-1\" is not a positive number");

  const ProfileMatch hea = FindProfile(Catalogue(), "HEA 100");
  AddPolygon({{0, 0}, {1, 0}, {1, 1}}, 1.0f, false);
  EXPECT_EQ(AddProfile(*hea.family, *hea.size, {}), "Must close polygon first");
  BuildFullTable();
  const SectionTable full = Table;
  EXPECT_EQ(AddProfile(*hea.family, *hea.size, {}),
            "Cannot add HEA 100: the section table holds at most 100 sections.");
  EXPECT_TRUE(Table == full);
}
