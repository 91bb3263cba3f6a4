#include "files/profile_sections.h"

#include <cmath>
#include <initializer_list>

#include "files/table_invariants.h"
#include "model/param_row.h"
#include "model/pieces.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "util/text.h"

namespace {

using Corners = std::vector<std::pair<double, double>>;

ProfileOutline Polygon(Corners corners, std::vector<double> fillets, float weight = 1.0f) {
  ProfileOutline o;
  o.corners = std::move(corners);
  o.fillets = std::move(fillets);
  o.weight = weight;
  return o;
}

ProfileOutline Circle(double r, float weight) {
  ProfileOutline o;
  o.circle = true;
  o.r = r;
  o.weight = weight;
  return o;
}

// Parallel-flange I-section, corners in the order of the sections typed by hand:
// from the bottom left, counter-clockwise; root fillets at the web's four corners.
ProfileOutline ISection(double h, double b, double tw, double tf, double r) {
  const double x = b / 2, w = tw / 2, y = h / 2;
  return Polygon({{-x, -y}, {x, -y}, {x, -y + tf}, {w, -y + tf}, {w, y - tf}, {x, y - tf},
                  {x, y}, {-x, y}, {-x, y - tf}, {-w, y - tf}, {-w, -y + tf}, {-x, -y + tf}},
                 {0, 0, 0, r, r, 0, 0, 0, 0, r, r, 0});
}

// Channel opening towards +x: the flange is tf thick at tfx from the back of the web
// and thickens towards the web by slope (a fraction, 0 for parallel flanges) per unit
// of length. Root fillets r1 at the web, toe fillets r2 (0 for none) at the tips.
ProfileOutline Channel(double h, double b, double tw, double tf, double tfx, double r1,
                       double r2, double slope) {
  auto thickness = [&](double x) { return tf + slope * (tfx - x); };
  const double x0 = -b / 2, y = h / 2;
  const double root = thickness(tw), toe = thickness(b);
  return Polygon({{x0, -y}, {x0 + b, -y}, {x0 + b, -y + toe}, {x0 + tw, -y + root},
                  {x0 + tw, y - root}, {x0 + b, y - toe}, {x0 + b, y}, {x0, y}},
                 {0, 0, r2, r1, r1, r2, 0, 0});
}

// Angle with its corner at the bottom left, the leg h along +y and b along +x: root
// fillet r1, toe fillets r2.
ProfileOutline Angle(double h, double b, double t, double r1, double r2) {
  const double x = -b / 2, y = -h / 2;
  return Polygon({{x, y}, {x + b, y}, {x + b, y + t}, {x + t, y + t}, {x + t, y + h}, {x, y + h}},
                 {0, 0, r2, r1, r2, 0});
}

ProfileOutline Rectangle(double h, double b, double r, float weight) {
  const double x = b / 2, y = h / 2;
  return Polygon({{-x, -y}, {x, -y}, {x, y}, {-x, y}}, {r, r, r, r}, weight);
}

// (x, y) turned counter-clockwise by quarter turns, exactly.
std::pair<double, double> Turn(double x, double y, int quarters) {
  switch (quarters) {
    case 1: return {-y, x};
    case 2: return {-x, -y};
    case 3: return {y, -x};
    default: return {x, y};
  }
}

float Single(double v) { return static_cast<float>(v); }

}  // namespace

std::vector<ProfileOutline> ProfileOutlines(const ProfileFamily& family, const ProfileSize& size) {
  // The first of the named columns the family has, else fallback.
  auto v = [&](std::initializer_list<const char*> columns, double fallback = 0) {
    for (const char* column : columns) {
      const double value = family.Value(size, column);
      if (!std::isnan(value)) return value;
    }
    return fallback;
  };
  const double t = v({"t", "tdes"});
  switch (family.shape) {
    case ProfileShape::I: {
      const double tf = v({"tf"});
      return {ISection(v({"h", "d"}), v({"b", "bf"}), v({"tw"}), tf, v({"r"}, v({"kdes"}) - tf))};
    }
    case ProfileShape::Channel:
      return {Channel(v({"h"}), v({"b"}), v({"tw"}), v({"tf"}), v({"tfx"}), v({"r1", "r"}),
                      v({"r2"}), v({"slope"}) / 100)};
    case ProfileShape::Angle: {
      const double b = v({"b"});
      return {Angle(v({"h"}, b), b, t, v({"r1"}), v({"r2"}))};
    }
    case ProfileShape::RectangularHollow: {
      // Corner radii as EN 10210-2 gives them unless the table has its own.
      const double h = v({"h", "Ht"}), b = v({"b", "B"});
      return {Rectangle(h, b, v({"ro"}, 1.5 * t), 1.0f),
              Rectangle(h - 2 * t, b - 2 * t, v({"ri"}, t), -1.0f)};
    }
    case ProfileShape::CircularHollow: {
      const double d = v({"D", "OD"});
      return {Circle(d / 2, 1.0f), Circle(d / 2 - t, -1.0f)};
    }
  }
  return {};
}

bool ReadProfilePoint(std::string_view text, double& x, double& y) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return false;
  auto read = [](std::string_view part, double& v) {
    const std::string number = TrimBlanks(part);
    try {
      std::size_t used = 0;
      v = std::stod(number, &used);
      return used == number.size() && std::isfinite(v);
    } catch (...) {
      return false;
    }
  };
  return read(text.substr(0, comma), x) && read(text.substr(comma + 1), y);
}

std::string AddProfile(const ProfileFamily& family, const ProfileSize& size,
                       const ProfilePlacement& placement) {
  if (placement.turn % 90 != 0) return "The turn must be 0, 90, 180 or 270 degrees.";
  const int quarters = ((placement.turn / 90) % 4 + 4) % 4;
  if (Table.sectionCount > 0) {
    const Section& last = Table.sections[Table.sectionCount];
    if (KindOf(last) == SectionKind::Polygon && !(last.flags & (Complete | Deleted)))
      return "Must close polygon first";
  }
  const LengthUnit units = placement.unitsGiven ? placement.units : family.units;
  const double scale = MillimetresPer(family.units) / MillimetresPer(units);
  const std::vector<ProfileOutline> outlines = ProfileOutlines(family, size);

  int points = 0;
  for (const ProfileOutline& o : outlines) points += o.circle ? 1 : static_cast<int>(o.corners.size());
  if (Table.sectionCount + static_cast<int>(outlines.size()) > MaxSections)
    return "Cannot add " + size.name + ": the section table holds at most " +
           std::to_string(MaxSections) + " sections.";
  const int last = Table.nodeCount + points;
  if (last >= Table.lowestPhantom || last > TopNode)
    return "Cannot add " + size.name + ": it needs " + std::to_string(points) +
           " free point slots.";

  auto place = [&](double x, double y) {
    const auto [tx, ty] = Turn(x * scale, y * scale, quarters);
    return std::pair<float, float>{Single(tx + placement.x), Single(ty + placement.y)};
  };
  const SectionTable saved = Table;
  auto refuse = [&](const std::string& why) {
    Table = saved;
    return why;
  };
  for (const ProfileOutline& o : outlines) {
    const int s = ++Table.sectionCount;
    Section& sec = Table.sections[s];
    sec = {static_cast<std::uint8_t>(o.circle ? SectionKind::Circle : SectionKind::Polygon),
           Complete, Table.nodeCount + 1, 0, o.weight};
    if (o.circle) {
      const int slot = ++Table.nodeCount;
      sec.lastNode = slot;
      Table.params[slot] = ParamRow{};
      const CircleView c(Table.params[slot]);
      const auto [x, y] = place(o.xc, o.yc);
      c.centreX() = x;
      c.centreY() = y;
      c.radius() = Single(o.r * scale);
      continue;
    }
    for (const auto& [x, y] : o.corners) {
      const auto [px, py] = place(x, y);
      Table.params[++Table.nodeCount] = ParamRow{};
      Table.nodes[Table.nodeCount] = {px, py};
    }
    sec.lastNode = Table.nodeCount;
    for (std::size_t k = 0; k < o.fillets.size(); ++k) {
      const double r = o.fillets[k] * scale;
      if (r <= 0) continue;
      const int n = sec.firstNode + static_cast<int>(k);
      if (!FilletFits(r, n)) return refuse("The fillets of " + size.name + " do not fit its corners.");
      SetFillet(r, n);
    }
  }
  for (int k = saved.nodeCount + 1; k <= Table.nodeCount; ++k) {
    bool finite = std::isfinite(Table.nodes[k].x) && std::isfinite(Table.nodes[k].y);
    for (float c : Table.params[k].c) finite = finite && std::isfinite(c);
    if (!finite) return refuse("The profile's coordinates are too large for the section table.");
  }
  if (const char* fault = TableInvariantFault())
    return refuse(std::string("The profile's sections are not sound: ") + fault + ".");
  Table.CurrentSection = Table.sectionCount;
  Shared.ResultsCurrent = false;
  Shared.FileChanged = true;
  return "";
}
