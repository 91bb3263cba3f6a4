// The standard profiles: families of rolled and hollow steel sections read from the
// dimension tables installed with the program (share/kelvarin/profiles/*.csv).
//
// A table is a text file: lines "# key: value" (family, shape, units, standard,
// source, order and notes), then a line naming the columns, then one size a line. The
// columns are "name" and the dimensions that the family's shape needs, in its units.
// The derived properties are never read: Kelvarin computes them from the sections.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

enum class ProfileShape { I, Channel, Angle, RectangularHollow, CircularHollow };
enum class LengthUnit { Mm, Cm, M, In };

// "mm", "cm", "m", "in".
const char* LengthUnitText(LengthUnit unit);
// Reads "mm", "cm", "m" or "in" (any case); false for any other text.
bool ReadLengthUnit(std::string_view text, LengthUnit& unit);
// How many millimetres one unit holds.
double MillimetresPer(LengthUnit unit);

struct ProfileSize {
  std::string name;            // as the catalogues write it: "IPE 300", "L 100x100x10"
  std::vector<double> values;  // in the order of the family's columns
};

struct ProfileFamily {
  std::string name;      // "IPE", "HEB", "W"
  ProfileShape shape = ProfileShape::I;
  LengthUnit units = LengthUnit::Mm;
  std::string standard;  // the standard the dimensions follow
  std::string source;    // where the figures were taken from
  int order = 1000;      // place in the lists ("# order: N"); ties go by file name
  std::vector<std::string> columns;  // the dimension columns (without "name")
  std::vector<ProfileSize> sizes;
  // The value of the named column of a size; NaN when the family has no such column.
  double Value(const ProfileSize& size, std::string_view column) const;
};

struct ProfileCatalogue {
  std::vector<ProfileFamily> families;  // by their order, then by file name
};

// The folder of the tables for a program in programFolder: share/kelvarin/profiles
// beside it (build tree) or beside its bin folder (installed); "" when neither exists.
std::string FindProfileFolder(const std::string& programFolder);

// Reads one table. False, with the reason (and the line number) in problem, for a
// table that names no family or an unknown shape or unit, lacks a column its shape
// needs, or holds a row with a missing, non-numeric or non-positive dimension.
bool ReadProfileTable(std::string_view text, ProfileFamily& family, std::string& problem);

// Reads every *.csv file of the folder, the families by their order. False, with
// "FILE: reason" in problem, at the first table that cannot be read or a name that
// two sizes share.
bool ReadProfileCatalogue(const std::string& folder, ProfileCatalogue& catalogue,
                          std::string& problem);

// The family of the given name (any case), or nullptr.
const ProfileFamily* FindProfileFamily(const ProfileCatalogue& catalogue, std::string_view name);

// A profile name compared without case and blanks: "ipe300" is "IPE 300".
std::string ProfileKey(std::string_view name);

struct ProfileMatch {
  const ProfileFamily* family = nullptr;
  const ProfileSize* size = nullptr;
};
// The size of that name (case and blanks do not matter); family and size are
// nullptr when none has it.
ProfileMatch FindProfile(const ProfileCatalogue& catalogue, std::string_view name);

// Up to count names of the catalogue nearest to name (by edit distance of their
// keys, the family's own sizes first on a tie), nearest first.
std::vector<std::string> NearestProfileNames(const ProfileCatalogue& catalogue,
                                             std::string_view name, int count);

// The size's main dimensions as "h = 300 mm", one a column, for a list or a dialog.
std::vector<std::string> ProfileDimensionLines(const ProfileFamily& family,
                                               const ProfileSize& size);
