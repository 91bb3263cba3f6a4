#include "files/profile_catalogue.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <system_error>

#include "files/decimal_reader.h"
#include "files/installed_data.h"
#include "util/text.h"

namespace {

struct ShapeName {
  ProfileShape shape;
  const char* text;
  // The dimensions the shape needs; "a|b" where any one of the columns will do.
  // Others it reads when present: a channel's slope, tfx and toe radius r2 (parallel
  // flanges and square tips without them), an angle's long leg h (equal legs without
  // it), a hollow section's corner radii ro and ri (1.5 t and t without them).
  std::vector<const char*> needs;
};

const std::vector<ShapeName>& Shapes() {
  static const std::vector<ShapeName> shapes = {
      {ProfileShape::I, "I", {"h|d", "b|bf", "tw", "tf", "r|kdes"}},
      {ProfileShape::Channel, "channel", {"h", "b", "tw", "tf", "r1|r"}},
      {ProfileShape::Angle, "angle", {"b", "t", "r1", "r2"}},
      {ProfileShape::RectangularHollow, "rectangular hollow", {"h|Ht", "b|B", "t|tdes"}},
      {ProfileShape::CircularHollow, "circular hollow", {"D|OD", "t|tdes"}},
  };
  return shapes;
}

std::vector<std::string> SplitFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(TrimBlanks(line.substr(start, comma - start)));
    if (comma == std::string_view::npos) return fields;
    start = comma + 1;
  }
}

bool ReadPositive(const std::string& text, double& value) {
  const char* end = text.data() + text.size();
  const std::from_chars_result r = ReadDouble(text.data(), end, value);
  return r.ec == std::errc() && r.ptr == end && std::isfinite(value) && value > 0;
}

bool HasColumn(const ProfileFamily& family, std::string_view column) {
  return std::find(family.columns.begin(), family.columns.end(), column) != family.columns.end();
}

std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The family part of a key: its leading letters ("IPE" of "IPE300", "RHS" of
// "RHS200X100X8").
std::string FamilyPart(const std::string& key) {
  std::size_t n = 0;
  while (n < key.size() && std::isalpha(static_cast<unsigned char>(key[n]))) ++n;
  return key.substr(0, n);
}

std::string Number(double v) {
  std::ostringstream out;
  out << v;
  return out.str();
}

}  // namespace

const char* LengthUnitText(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Mm: return "mm";
    case LengthUnit::Cm: return "cm";
    case LengthUnit::M: return "m";
    case LengthUnit::In: return "in";
  }
  return "mm";
}

bool ReadLengthUnit(std::string_view text, LengthUnit& unit) {
  for (LengthUnit u : {LengthUnit::Mm, LengthUnit::Cm, LengthUnit::M, LengthUnit::In}) {
    if (LowerCase(text) == LengthUnitText(u)) {
      unit = u;
      return true;
    }
  }
  return false;
}

double MillimetresPer(LengthUnit unit) {
  switch (unit) {
    case LengthUnit::Mm: return 1;
    case LengthUnit::Cm: return 10;
    case LengthUnit::M: return 1000;
    case LengthUnit::In: return 25.4;
  }
  return 1;
}

double ProfileFamily::Value(const ProfileSize& size, std::string_view column) const {
  for (std::size_t k = 0; k < columns.size() && k < size.values.size(); ++k)
    if (columns[k] == column) return size.values[k];
  return std::numeric_limits<double>::quiet_NaN();
}

std::string FindProfileFolder(const std::string& programFolder) {
  return FindInstalledData(programFolder, "profiles", InstalledKind::Folder);
}

bool ReadProfileTable(std::string_view text, ProfileFamily& family, std::string& problem) {
  family = ProfileFamily{};
  std::string shapeText, unitText;
  bool haveColumns = false;
  int lineNumber = 0;
  std::istringstream lines{std::string(text)};
  std::string line;
  auto fail = [&](const std::string& why) {
    problem = "line " + std::to_string(lineNumber) + ": " + why;
    return false;
  };
  while (std::getline(lines, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = TrimBlanks(line);
    if (trimmed.empty()) continue;
    if (trimmed[0] == '#') {
      const std::size_t colon = trimmed.find(':');
      if (colon == std::string::npos) continue;
      const std::string key = LowerCase(TrimBlanks(std::string_view(trimmed).substr(1, colon - 1)));
      const std::string value = TrimBlanks(std::string_view(trimmed).substr(colon + 1));
      if (key == "family") family.name = value;
      if (key == "shape") shapeText = value;
      if (key == "units") unitText = value;
      if (key == "standard") family.standard = value;
      if (key == "source") family.source = value;
      if (key == "order") {
        double order = 0;
        if (!ReadPositive(value, order) || order != std::floor(order) || order > 1e6)
          return fail("the order \"" + value + "\" is not a whole number");
        family.order = static_cast<int>(order);
      }
      continue;
    }
    std::vector<std::string> fields = SplitFields(trimmed);
    if (!haveColumns) {
      if (family.name.empty()) return fail("the table names no family");
      const auto shape = std::find_if(Shapes().begin(), Shapes().end(),
                                      [&](const ShapeName& s) { return shapeText == s.text; });
      if (shape == Shapes().end()) return fail("unknown shape \"" + shapeText + "\"");
      family.shape = shape->shape;
      if (!ReadLengthUnit(unitText, family.units)) return fail("unknown units \"" + unitText + "\"");
      if (fields.empty() || fields[0] != "name") return fail("the first column is not \"name\"");
      family.columns.assign(fields.begin() + 1, fields.end());
      for (const char* need : shape->needs) {
        const std::string alternatives = need;
        bool found = false;
        for (std::size_t start = 0; start != std::string::npos && !found;) {
          const std::size_t bar = alternatives.find('|', start);
          found = HasColumn(family, alternatives.substr(start, bar - start));
          start = bar == std::string::npos ? bar : bar + 1;
        }
        if (!found) return fail("no column " + alternatives + " for the shape " + shapeText);
      }
      haveColumns = true;
      continue;
    }
    if (fields.size() != family.columns.size() + 1) return fail("not one field a column");
    ProfileSize size{fields[0], {}};
    if (ProfileKey(size.name).empty()) return fail("a size without a name");
    for (std::size_t k = 1; k < fields.size(); ++k) {
      double v = 0;
      if (!ReadPositive(fields[k], v)) return fail("\"" + fields[k] + "\" is not a positive number");
      size.values.push_back(v);
    }
    family.sizes.push_back(std::move(size));
  }
  if (!haveColumns) return fail("the table has no columns");
  if (family.sizes.empty()) return fail("the table has no sizes");
  return true;
}

bool ReadProfileCatalogue(const std::string& folder, ProfileCatalogue& catalogue,
                          std::string& problem) {
  catalogue = ProfileCatalogue{};
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
       it.increment(error)) {
    if (it->path().extension() == ".csv") files.push_back(it->path());
  }
  if (error) {
    problem = folder + ": " + error.message();
    return false;
  }
  std::sort(files.begin(), files.end());
  std::vector<std::string> keys;
  for (const std::filesystem::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ProfileFamily family;
    if (!in || !ReadProfileTable(text.str(), family, problem)) {
      problem = file.string() + ": " + (in ? problem : "cannot be read");
      return false;
    }
    for (const ProfileSize& size : family.sizes) keys.push_back(ProfileKey(size.name));
    catalogue.families.push_back(std::move(family));
  }
  std::stable_sort(catalogue.families.begin(), catalogue.families.end(),
                   [](const ProfileFamily& a, const ProfileFamily& b) { return a.order < b.order; });
  std::sort(keys.begin(), keys.end());
  const auto twice = std::adjacent_find(keys.begin(), keys.end());
  if (twice != keys.end()) {
    problem = folder + ": two sizes are named " + *twice;
    return false;
  }
  return true;
}

const ProfileFamily* FindProfileFamily(const ProfileCatalogue& catalogue, std::string_view name) {
  const std::string key = ProfileKey(name);
  for (const ProfileFamily& family : catalogue.families)
    if (ProfileKey(family.name) == key) return &family;
  return nullptr;
}

std::string ProfileKey(std::string_view name) {
  std::string key;
  for (char c : name)
    if (c != ' ' && c != '\t') key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

ProfileMatch FindProfile(const ProfileCatalogue& catalogue, std::string_view name) {
  const std::string key = ProfileKey(name);
  for (const ProfileFamily& family : catalogue.families)
    for (const ProfileSize& size : family.sizes)
      if (ProfileKey(size.name) == key) return {&family, &size};
  return {};
}

std::vector<std::string> NearestProfileNames(const ProfileCatalogue& catalogue,
                                             std::string_view name, int count) {
  const std::string key = ProfileKey(name);
  const std::string familyPart = FamilyPart(key);
  struct Candidate {
    std::size_t distance;
    bool otherFamily;
    const std::string* name;
  };
  std::vector<Candidate> candidates;
  for (const ProfileFamily& family : catalogue.families)
    for (const ProfileSize& size : family.sizes) {
      const std::string sizeKey = ProfileKey(size.name);
      candidates.push_back(
          {EditDistance(key, sizeKey), FamilyPart(sizeKey) != familyPart, &size.name});
    }
  std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.distance != b.distance ? a.distance < b.distance : a.otherFamily < b.otherFamily;
  });
  std::vector<std::string> names;
  for (const Candidate& c : candidates) {
    if (static_cast<int>(names.size()) >= count) break;
    names.push_back(*c.name);
  }
  return names;
}

std::vector<std::string> ProfileDimensionLines(const ProfileFamily& family,
                                               const ProfileSize& size) {
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < family.columns.size() && k < size.values.size(); ++k) {
    const bool percent = family.columns[k] == "slope";
    lines.push_back(family.columns[k] + " = " + Number(size.values[k]) +
                    (percent ? " %" : std::string(" ") + LengthUnitText(family.units)));
  }
  return lines;
}
