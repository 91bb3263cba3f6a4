#include "cli/properties_json.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <utility>

namespace {

using Json = nlohmann::ordered_json;

// Writes j in the tool's JSON form: ", " and ": " between items, and every
// floating-point number with 17 significant digits (null when not finite).
// nlohmann's own dump() writes no blanks and the shortest form that reads back
// ("5.000000000000001", "100.0"); strings, integers and literals are left to it.
void Write(const Json& j, std::string& out) {
  switch (j.type()) {
    case Json::value_t::object: {
      out += '{';
      const char* separator = "";
      for (const auto& [key, value] : j.items()) {
        out += separator + Json(key).dump() + ": ";
        Write(value, out);
        separator = ", ";
      }
      out += '}';
      break;
    }
    case Json::value_t::array: {
      out += '[';
      const char* separator = "";
      for (const Json& value : j) {
        out += separator;
        Write(value, out);
        separator = ", ";
      }
      out += ']';
      break;
    }
    case Json::value_t::number_float: {
      double value = j.get<double>();
      char buffer[32] = "null";
      if (std::isfinite(value)) std::snprintf(buffer, sizeof buffer, "%.17g", value);
      out += buffer;
      break;
    }
    default:
      out += j.dump();
  }
}

void AddProperties(Json& object, const PropertySet& p) {
  const std::pair<const char*, double> values[] = {
      {"A", p.A},     {"xBar", p.xBar}, {"yBar", p.yBar}, {"Ixx", p.Ixx},    {"Iyy", p.Iyy},
      {"Ixy", p.Ixy}, {"Imax", p.Imax}, {"Imin", p.Imin}, {"angle", p.angle}};
  for (const auto& [key, value] : values) object[key] = value;
}

void AddModuli(Json& object, const ModuliSet& m) {
  const std::pair<const char*, double> values[] = {
      {"rx", m.rx},           {"ry", m.ry},           {"rmax", m.rmax},
      {"rmin", m.rmin},       {"WelxTop", m.WelxTop}, {"WelxBottom", m.WelxBottom},
      {"WelyLeft", m.WelyLeft}, {"WelyRight", m.WelyRight}, {"Welu", m.Welu},
      {"Welv", m.Welv},       {"Wplx", m.Wplx},       {"Wply", m.Wply},
      {"Wplu", m.Wplu},       {"Wplv", m.Wplv},       {"xPNA", m.xPNA},
      {"yPNA", m.yPNA},       {"perimeter", m.perimeter}};
  for (const auto& [key, value] : values) object[key] = value;
}

void AddTorsion(Json& object, const TorsionAnalysis& t) {
  const double none = std::nan("");
  const std::pair<const char*, double> values[] = {
      {"J", t.J},     {"Iw", t.Iw},   {"xs", t.xs},   {"ys", t.ys},    {"xsT", t.xsT},
      {"ysT", t.ysT}, {"Asx", t.Asx}, {"Asy", t.Asy}, {"Jerr", t.Jerr}};
  for (const auto& [key, value] : values) object[key] = t.ok ? value : none;
  if (t.ok) {
    object["elements"] = t.elements;
  } else {
    object["elements"] = nullptr;
  }
}

std::string Dump(const Json& object) {
  std::string out;
  Write(object, out);
  return out;
}

}  // namespace

std::string PropertiesJson(const PropertySet& p) {
  Json object = Json::object();
  AddProperties(object, p);
  return Dump(object);
}

std::string ModuliJson(const ModuliSet& m) {
  Json object = Json::object();
  AddModuli(object, m);
  return Dump(object);
}

std::string ReportJson(const PropertySet& p, const ModuliSet& m) {
  Json object = Json::object();
  AddProperties(object, p);
  AddModuli(object, m);
  return Dump(object);
}

std::string TorsionJson(const TorsionAnalysis& t) {
  Json object = Json::object();
  AddTorsion(object, t);
  return Dump(object);
}
