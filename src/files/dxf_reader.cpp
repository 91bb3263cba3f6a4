#include "files/dxf_reader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace {

constexpr double DegToRadian = 3.14159265358979323846 / 180.0;

std::string_view Trim(std::string_view s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

// A value as the user may see it in a message: short, printable.
std::string Shown(std::string_view v) {
  std::string out;
  for (char c : v.substr(0, 24)) out += (c >= 32 && c < 127) ? c : '?';
  if (v.size() > 24) out += "...";
  return out;
}

struct Pair {
  int code = 0;
  std::string_view value;
  int line = 0;  // line of the group code, counted from 1
};

// The group-code/value pairs of the text: a code on one line, its value on the next.
class PairReader {
 public:
  explicit PairReader(std::string_view text) : text_(text) {
    if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);  // a UTF-8 mark
  }

  // The next pair; false at the end of the text or at a fault (then Error() says
  // what it was).
  bool Next(Pair& p) {
    if (pushed_) {
      pushed_ = false;
      p = pushedPair_;
      return true;
    }
    if (!error_.empty()) return false;
    std::string_view codeText;
    if (!NextLine(codeText)) return false;
    const int codeLine = line_;
    codeText = Trim(codeText);
    // Blank lines after the last pair are not a fault.
    if (codeText.empty() && OnlyBlanksLeft()) return false;
    int code = 0;
    auto [end, ec] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), code);
    if (ec != std::errc() || end != codeText.data() + codeText.size()) {
      error_ = "line " + std::to_string(codeLine) + ": '" + Shown(codeText) +
               "' is not a group code";
      return false;
    }
    std::string_view value;
    if (!NextLine(value)) {
      error_ = "the file ends after the group code on line " + std::to_string(codeLine);
      return false;
    }
    p = {code, Trim(value), codeLine};
    return true;
  }

  void PushBack(const Pair& p) {
    pushedPair_ = p;
    pushed_ = true;
  }

  const std::string& Error() const { return error_; }
  int LinesRead() const { return line_; }
  void Fail(const std::string& why) { error_ = why; }

 private:
  bool NextLine(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    std::size_t nl = text_.find('\n', pos_);
    if (nl == std::string_view::npos) nl = text_.size();
    line = text_.substr(pos_, nl - pos_);
    pos_ = nl + 1;
    ++line_;
    return true;
  }

  bool OnlyBlanksLeft() const {
    return pos_ >= text_.size() || Trim(text_.substr(pos_)).find_first_not_of('\n') ==
                                       std::string_view::npos;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 0;
  bool pushed_ = false;
  Pair pushedPair_;
  std::string error_;
};

bool ParseDouble(std::string_view v, double& out) {
  if (v.starts_with('+')) v.remove_prefix(1);
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size() && std::isfinite(out);
}

bool ParseInt(std::string_view v, long long& out) {
  if (v.starts_with('+')) v.remove_prefix(1);
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size();
}

// The group codes of one entity, read after its "0 TYPE" pair.
struct Entity {
  std::string type;  // upper case
  int line = 0;
  std::vector<Pair> pairs;
};

class DxfParser {
 public:
  DxfParser(std::string_view text, const std::string& layer, DxfDrawing& drawing)
      : in_(text), layer_(layer), drawing_(drawing) {}

  bool Run(std::string& error) {
    Pair p;
    bool sawSection = false, sawEof = false;
    while (!Failed() && in_.Next(p)) {
      if (p.code != 0) continue;
      if (SameWord(p.value, "EOF")) {
        sawEof = true;
        break;
      }
      if (!SameWord(p.value, "SECTION")) {
        // Only sections and the closing EOF stand outside sections: anything else
        // means a damaged file (or an EOF marker that the file has cut short).
        if (sawSection) {
          in_.Fail("line " + std::to_string(p.line + 1) + ": '" + Shown(p.value) +
                   "' stands outside any section");
        }
        continue;
      }
      sawSection = true;
      Pair name;
      if (!in_.Next(name)) break;
      if (name.code != 2) {
        in_.PushBack(name);
        continue;
      }
      if (SameWord(name.value, "HEADER")) {
        ReadHeader();
      } else if (SameWord(name.value, "ENTITIES")) {
        ReadEntities();
      } else {
        SkipSection(Shown(name.value));
      }
    }
    if (!in_.Error().empty()) {
      error = in_.Error();
      return false;
    }
    if (!sawSection) {
      error = "this is not an ASCII DXF file (it has no SECTION)";
      return false;
    }
    if (!sawEof) {
      error = "it ends at line " + std::to_string(in_.LinesRead()) +
              " before the EOF that closes a DXF file: the file is cut short";
      return false;
    }
    return true;
  }

 private:
  bool Failed() const { return !in_.Error().empty(); }

  // Reads pairs up to and including "0 ENDSEC"; a new SECTION ends the section
  // too and is left to be read again. A section that the text or an EOF ends
  // before its ENDSEC is a fault: the file has been cut short. False when the
  // section did not end with ENDSEC or SECTION (then a fault is set, or the text
  // ended: Truncated says so once the section's last entity is taken).
  template <class OnPair>
  bool ReadSection(std::string_view name, OnPair onPair) {
    Pair p;
    while (!Failed() && in_.Next(p)) {
      if (p.code == 0 && SameWord(p.value, "ENDSEC")) return true;
      if (p.code == 0 && SameWord(p.value, "SECTION")) {
        in_.PushBack(p);
        return true;
      }
      if (p.code == 0 && SameWord(p.value, "EOF")) {
        in_.Fail("line " + std::to_string(p.line + 1) + ": EOF inside the " + std::string(name) +
                 " section, before its ENDSEC");
        return false;
      }
      onPair(p);
    }
    return false;
  }

  // The fault of a section that the text ended before its ENDSEC.
  void Truncated(std::string_view name) {
    if (Failed()) return;
    in_.Fail("it ends at line " + std::to_string(in_.LinesRead()) + " inside its " +
             std::string(name) + " section, before the section's ENDSEC: the file is cut short");
  }

  void SkipSection(const std::string& name) {
    if (!ReadSection(name, [](const Pair&) {})) Truncated(name);
  }

  void ReadHeader() {
    std::string_view variable;
    const bool ended = ReadSection("HEADER", [&](const Pair& p) {
      if (p.code == 9) {
        variable = p.value;
      } else if (p.code == 70 && variable == "$INSUNITS") {
        long long units = 0;
        if (!ParseInt(p.value, units) || units < 0 || units > 32767) {
          BadNumber(p);
          return;
        }
        drawing_.insUnits = static_cast<int>(units);
        variable = {};
      }
    });
    if (!ended) Truncated("HEADER");
  }

  void ReadEntities() {
    Entity entity;
    bool open = false;
    const bool ended = ReadSection("ENTITIES", [&](const Pair& p) {
      if (p.code == 0) {
        if (open) Take(entity);
        entity.type.assign(p.value.substr(0, 64));
        for (char& c : entity.type) c = Upper(c);
        entity.line = p.line;
        entity.pairs.clear();
        open = true;
      } else if (open) {
        entity.pairs.push_back(p);
      }
    });
    if (!ended) {
      Truncated("ENTITIES");
      return;
    }
    if (open && !Failed()) Take(entity);
    EndPolyline();
  }

  void BadNumber(const Pair& p) {
    if (Failed()) return;
    in_.Fail("line " + std::to_string(p.line + 1) + ": '" + Shown(p.value) +
             "' is not a number");
  }

  double Number(const Pair& p) {
    double v = 0;
    if (!ParseDouble(p.value, v)) BadNumber(p);
    return v;
  }

  long long Integer(const Pair& p) {
    long long v = 0;
    if (!ParseInt(p.value, v)) BadNumber(p);
    return v;
  }

  bool OnLayer(std::string_view layer) const { return layer_.empty() || SameWord(layer, layer_); }

  // The sense of the entity's own x axis: +1 when its plane is the drawing plane
  // seen from above, -1 seen from below (x runs the other way), 0 when the entity
  // does not lie in the drawing plane.
  int PlaneSense(const Entity& e) {
    double n[3] = {0, 0, 1};
    for (const Pair& p : e.pairs) {
      if (p.code == 210) n[0] = Number(p);
      if (p.code == 220) n[1] = Number(p);
      if (p.code == 230) n[2] = Number(p);
    }
    const double tilt = 1e-9 * std::fabs(n[2]);
    if (n[2] == 0 || std::fabs(n[0]) > tilt || std::fabs(n[1]) > tilt) return 0;
    return n[2] > 0 ? 1 : -1;
  }

  void Take(const Entity& e) {
    const std::string& type = e.type;
    if (type != "VERTEX" && type != "SEQEND") EndPolyline();
    if (type == "VERTEX") {
      Vertex(e);
      return;
    }
    if (type == "SEQEND") return;

    std::string_view layer = "0";
    bool paperSpace = false;
    for (const Pair& p : e.pairs) {
      if (p.code == 8) layer = p.value;
      if (p.code == 67) {
        long long space = 0;
        paperSpace = ParseInt(p.value, space) && space != 0;
      }
    }
    const bool wanted = !paperSpace && OnLayer(layer);
    const int order = order_++;
    if (type == "POLYLINE") {
      StartPolyline(e, wanted, order);
      return;
    }
    if (!wanted) return;
    if (type != "LINE" && type != "ARC" && type != "CIRCLE" && type != "LWPOLYLINE") {
      ++drawing_.leftOut[type];
      return;
    }
    const int sense = type == "LINE" ? 1 : PlaneSense(e);
    if (Failed()) return;
    if (sense == 0) {
      in_.Fail("line " + std::to_string(e.line + 1) + ": the " + type +
               " does not lie in the drawing plane");
      return;
    }
    if (type == "LINE") {
      DxfLine l{0, 0, 0, 0, order};
      for (const Pair& p : e.pairs) {
        if (p.code == 10) l.x1 = Number(p);
        if (p.code == 20) l.y1 = Number(p);
        if (p.code == 11) l.x2 = Number(p);
        if (p.code == 21) l.y2 = Number(p);
      }
      drawing_.lines.push_back(l);
    } else if (type == "CIRCLE") {
      DxfCircle c{0, 0, 0, order};
      for (const Pair& p : e.pairs) {
        if (p.code == 10) c.xc = Number(p);
        if (p.code == 20) c.yc = Number(p);
        if (p.code == 40) c.r = Number(p);
      }
      c.xc *= sense;
      drawing_.circles.push_back(c);
    } else if (type == "ARC") {
      double xc = 0, yc = 0, r = 0, a1 = 0, a2 = 0;
      for (const Pair& p : e.pairs) {
        if (p.code == 10) xc = Number(p);
        if (p.code == 20) yc = Number(p);
        if (p.code == 40) r = Number(p);
        if (p.code == 50) a1 = Number(p);
        if (p.code == 51) a2 = Number(p);
      }
      // Counter-clockwise from a1 to a2 in the entity's plane; equal angles make a
      // whole circle.
      double sweep = std::fmod(a2 - a1, 360.0);
      if (sweep <= 0) sweep += 360.0;
      double start = a1;
      if (sense < 0) {
        // Seen from below: x runs the other way, and so does the arc.
        xc = -xc;
        start = 180.0 - a1;
        sweep = -sweep;
      }
      drawing_.arcs.push_back({xc, yc, r, start * DegToRadian, sweep * DegToRadian, order});
    } else {
      DxfPolyline pl{{}, false, order};
      long long declared = -1;
      for (const Pair& p : e.pairs) {
        if (p.code == 90) declared = Integer(p);
        if (p.code == 70) pl.closed = (Integer(p) & 1) != 0;
        if (p.code == 10) pl.vertices.push_back({sense * Number(p), 0, 0});
        if (pl.vertices.empty()) continue;
        if (p.code == 20) pl.vertices.back().y = Number(p);
        if (p.code == 42) pl.vertices.back().bulge = sense * Number(p);
      }
      // Group 90 counts the vertices: fewer listed means a damaged entity.
      if (declared >= 0 && declared != static_cast<long long>(pl.vertices.size()) && !Failed()) {
        in_.Fail("line " + std::to_string(e.line + 1) + ": the LWPOLYLINE lists " +
                 std::to_string(pl.vertices.size()) + " vertices where its group 90 gives " +
                 std::to_string(declared));
        return;
      }
      drawing_.polylines.push_back(std::move(pl));
    }
  }

  // POLYLINE: the VERTEX entities that follow it, up to SEQEND, are its vertices.
  void StartPolyline(const Entity& e, bool wanted, int order) {
    long long flags = 0;
    for (const Pair& p : e.pairs)
      if (p.code == 70) flags = Integer(p);
    if (Failed()) return;
    polyline_ = {{}, (flags & 1) != 0, order};
    inPolyline_ = true;
    polylineWanted_ = wanted;
    // 3D polylines are in world coordinates and have no bulges; meshes outline
    // no section.
    polyline3d_ = (flags & 8) != 0;
    if (wanted && (flags & (16 | 64)) != 0) {
      ++drawing_.leftOut["POLYLINE mesh"];
      polylineWanted_ = false;
    }
    polylineSense_ = 1;
    if (polylineWanted_ && !polyline3d_) {
      polylineSense_ = PlaneSense(e);
      if (Failed()) return;
      if (polylineSense_ == 0) {
        in_.Fail("line " + std::to_string(e.line + 1) +
                 ": the POLYLINE does not lie in the drawing plane");
      }
    }
  }

  void Vertex(const Entity& e) {
    if (!inPolyline_ || !polylineWanted_) return;
    DxfVertex v{0, 0, 0};
    long long flags = 0;
    for (const Pair& p : e.pairs) {
      if (p.code == 10) v.x = polylineSense_ * Number(p);
      if (p.code == 20) v.y = Number(p);
      if (p.code == 42) v.bulge = polylineSense_ * Number(p);
      if (p.code == 70) flags = Integer(p);
    }
    if (polyline3d_) v.bulge = 0;
    // The control points of a spline-fitted polyline are not on its outline.
    if ((flags & 16) == 0) polyline_.vertices.push_back(v);
  }

  void EndPolyline() {
    if (!inPolyline_) return;
    inPolyline_ = false;
    if (polylineWanted_ && !Failed()) drawing_.polylines.push_back(std::move(polyline_));
    polyline_ = {};
  }

  PairReader in_;
  const std::string& layer_;
  DxfDrawing& drawing_;
  int order_ = 0;
  bool inPolyline_ = false;
  bool polylineWanted_ = false;
  bool polyline3d_ = false;
  int polylineSense_ = 1;
  DxfPolyline polyline_{{}, false, 0};
};

}  // namespace

bool ReadDxf(std::string_view text, const std::string& layer, DxfDrawing& drawing,
             std::string& error) {
  drawing = DxfDrawing{};
  error.clear();
  if (text.starts_with("AutoCAD Binary DXF")) {
    error = "this is a binary DXF file; only ASCII DXF files are read";
    return false;
  }
  DxfParser parser(text, layer, drawing);
  if (!parser.Run(error)) {
    drawing = DxfDrawing{};
    return false;
  }
  return true;
}

const char* DxfUnitName(int insUnits) {
  static const char* const names[] = {
      "unitless",     "inches",           "feet",           "miles",
      "millimeters",  "centimeters",      "meters",         "kilometers",
      "microinches",  "mils",             "yards",          "angstroms",
      "nanometers",   "microns",          "decimeters",     "decameters",
      "hectometers",  "gigameters",       "astronomical units", "light years",
      "parsecs",      "US survey feet",   "US survey inches", "US survey yards",
      "US survey miles"};
  if (insUnits < 0 || insUnits >= static_cast<int>(std::size(names))) return "";
  return names[insUnits];
}
