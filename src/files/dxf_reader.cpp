#include "files/dxf_reader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "files/decimal_reader.h"

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
  int line = 0;         // line of the group code, counted from 1
  std::size_t at = 0;   // where the group code's line starts in the reader's text
};

// The group-code/value pairs of the text: a code on one line, its value on the next.
class PairReader {
 public:
  // lineBase: the number of lines before the text (for a part of a file).
  explicit PairReader(std::string_view text, int lineBase = 0) : text_(text), line_(lineBase) {
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
    const std::size_t at = pos_;
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
    p = {code, Trim(value), codeLine, at};
    return true;
  }

  void PushBack(const Pair& p) {
    pushedPair_ = p;
    pushed_ = true;
  }

  const std::string& Error() const { return error_; }
  int LinesRead() const { return line_; }
  void Fail(const std::string& why) { error_ = why; }
  std::string_view Text() const { return text_; }

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
  auto [end, ec] = ReadDouble(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size() && std::isfinite(out);
}

bool ParseInt(std::string_view v, long long& out) {
  if (v.starts_with('+')) v.remove_prefix(1);
  auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
  return ec == std::errc() && end == v.data() + v.size();
}

std::string UpperCase(std::string_view v) {
  std::string out(v);
  for (char& c : out) c = Upper(c);
  return out;
}

// The group codes of one entity, read after its "0 TYPE" pair.
struct Entity {
  std::string type;  // upper case
  int line = 0;
  std::vector<Pair> pairs;
};

// x' = a x + b y + e, y' = c x + d y + f: from a block's coordinates to the drawing's.
struct Affine {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

  void Apply(double& x, double& y) const {
    const double u = a * x + b * y + e;
    y = c * x + d * y + f;
    x = u;
  }
  double Det() const { return a * d - b * c; }
};

// outer after inner.
Affine Compose(const Affine& o, const Affine& i) {
  return {o.a * i.a + o.b * i.c, o.a * i.b + o.b * i.d, o.c * i.a + o.d * i.c,
          o.c * i.b + o.d * i.d, o.a * i.e + o.b * i.f + o.e, o.c * i.e + o.d * i.f + o.f};
}

// A block definition: its base point and where its entities stand in the text.
struct Block {
  std::string name;
  Pair baseX{10, "0"}, baseY{20, "0"};
  bool external = false;     // an external reference: its entities are in another file
  std::string_view body;     // from its first entity up to its ENDBLK
  int lineBase = 0;          // lines before body
};

// Where the entities being read go: model space, or a block that an INSERT places.
struct Placement {
  Affine m;
  bool identity = true;
  std::string layer0;  // the layer entities on layer "0" take; "" in model space
  std::string where;   // ' in block "B" (INSERT handle 40)', outermost last
  int order = -1;      // the order the entities take; -1: each its own
};

// Block references nest at most this deep, and expand to at most this many entities.
constexpr int MaxBlockDepth = 16;
constexpr long long MaxBlockEntities = 1'000'000;

class DxfParser {
 public:
  // countOnly: no entity is read, the layers are only counted.
  DxfParser(std::string_view text, const std::string& layer, DxfDrawing& drawing, bool countOnly)
      : in_(text), layer_(layer), countOnly_(countOnly), drawing_(drawing) {}

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
      } else if (SameWord(name.value, "BLOCKS")) {
        ReadBlocks();
      } else if (SameWord(name.value, "ENTITIES")) {
        ReadEntities();
      } else {
        SkipSection(Shown(name.value));
      }
    }
    if (!Failed() && sawEof) PlaceInserts();
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

  // BLOCK, its name (2), base point (10, 20) and flags (70), its entities, ENDBLK.
  // The entities are read when an INSERT places the block.
  void ReadBlocks() {
    enum { Outside, Head, Body } state = Outside;
    Block block;
    Pair bodyStart;
    const bool ended = ReadSection("BLOCKS", [&](const Pair& p) {
      const bool marker = p.code == 0;
      if (marker && SameWord(p.value, "BLOCK")) {
        block = Block{};
        state = Head;
      } else if (marker && SameWord(p.value, "ENDBLK")) {
        if (state == Head) bodyStart = p;
        if (state != Outside) {
          block.body = in_.Text().substr(bodyStart.at, p.at - bodyStart.at);
          block.lineBase = bodyStart.line - 1;
          blocks_.emplace(UpperCase(block.name), block);
        }
        state = Outside;
      } else if (state == Head && marker) {
        bodyStart = p;
        state = Body;
      } else if (state == Head) {
        if (p.code == 2) block.name.assign(p.value);
        if (p.code == 10) block.baseX = p;
        if (p.code == 20) block.baseY = p;
        if (p.code == 70) block.external = (Integer(p) & 4) != 0;
      }
    });
    if (!ended) Truncated("BLOCKS");
  }

  void ReadEntities() {
    Entity entity;
    bool open = false;
    const bool ended = ReadSection("ENTITIES", [&](const Pair& p) {
      if (p.code == 0) {
        if (open) Take(entity);
        StartEntity(entity, p);
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

  static void StartEntity(Entity& entity, const Pair& p) {
    entity.type.assign(p.value.substr(0, 64));
    for (char& c : entity.type) c = Upper(c);
    entity.line = p.line;
    entity.pairs.clear();
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

  bool OnLayer(std::string_view layer) const {
    return !countOnly_ && (layer_.empty() || SameWord(layer, layer_));
  }

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

  static std::string_view ValueOf(const Entity& e, int code, std::string_view otherwise = "") {
    for (const Pair& p : e.pairs)
      if (p.code == code) return p.value;
    return otherwise;
  }

  // 'LWPOLYLINE (handle 2F, layer "0")'; an entity without a handle by its line.
  static std::string EntityName(const Entity& e, std::string_view layer) {
    const std::string_view handle = ValueOf(e, 5);
    return e.type + " (" +
           (handle.empty() ? "line " + std::to_string(e.line + 1) : "handle " + Shown(handle)) +
           ", layer \"" + Shown(layer) + "\")";
  }

  int AddName(const Entity& e, std::string_view layer) {
    drawing_.names.push_back(EntityName(e, layer) + place_.where);
    return static_cast<int>(drawing_.names.size()) - 1;
  }

  DxfLayerCount& LayerCount(std::string_view layer) {
    auto [it, added] = layerIndex_.emplace(UpperCase(layer), drawing_.layers.size());
    if (added) drawing_.layers.push_back({std::string(layer)});
    return drawing_.layers[it->second];
  }

  std::size_t OutlineEntities() const {
    return drawing_.polylines.size() + drawing_.lines.size() + drawing_.arcs.size() +
           drawing_.circles.size() + (inPolyline_ && polylineWanted_ ? 1 : 0);
  }

  void Take(const Entity& e) {
    const std::string& type = e.type;
    if (type != "VERTEX" && type != "SEQEND") EndPolyline();
    if (type == "VERTEX") {
      Vertex(e);
      return;
    }
    if (type == "SEQEND") return;

    const std::string_view own = ValueOf(e, 8, "0");
    // An entity of a block on layer "0" is on the layer of the INSERT that places it.
    const std::string_view layer = !place_.layer0.empty() && own == "0" ? place_.layer0 : own;
    long long space = 0;
    const bool paperSpace =
        place_.identity && ParseInt(ValueOf(e, 67, "0"), space) && space != 0;
    const bool wanted = !paperSpace && OnLayer(layer);
    const int order = place_.order >= 0 ? place_.order : order_++;
    const bool outline = type == "LINE" || type == "ARC" || type == "CIRCLE" ||
                         type == "LWPOLYLINE" || type == "POLYLINE";
    if (!paperSpace && type != "INSERT") {
      DxfLayerCount& count = LayerCount(layer);
      ++(outline ? count.outlines : count.others);
    }
    if (type == "INSERT") {
      if (paperSpace) return;
      // Model space's wait for their block when the file defines it after them.
      if (place_.identity && !blocks_.contains(UpperCase(ValueOf(e, 2)))) {
        inserts_.push_back({e, order});
      } else {
        Insert(e, order, layer);
      }
      return;
    }
    if (type == "POLYLINE") {
      StartPolyline(e, wanted, order, layer);
      return;
    }
    if (!wanted) return;
    if (!outline) {
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
    const int who = AddName(e, layer);
    if (type == "LINE") {
      DxfLine l{0, 0, 0, 0, order, who};
      for (const Pair& p : e.pairs) {
        if (p.code == 10) l.x1 = Number(p);
        if (p.code == 20) l.y1 = Number(p);
        if (p.code == 11) l.x2 = Number(p);
        if (p.code == 21) l.y2 = Number(p);
      }
      place_.m.Apply(l.x1, l.y1);
      place_.m.Apply(l.x2, l.y2);
      drawing_.lines.push_back(l);
    } else if (type == "CIRCLE") {
      DxfCircle c{0, 0, 0, order, who};
      for (const Pair& p : e.pairs) {
        if (p.code == 10) c.xc = Number(p);
        if (p.code == 20) c.yc = Number(p);
        if (p.code == 40) c.r = Number(p);
      }
      c.xc *= sense;
      if (!place_.identity) {
        place_.m.Apply(c.xc, c.yc);
        c.r *= std::sqrt(std::fabs(place_.m.Det()));
      }
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
      DxfArc arc{xc, yc, r, start * DegToRadian, sweep * DegToRadian, order, who};
      if (!place_.identity) {
        // The start's direction turns with the block; a mirrored block runs the arc
        // the other way.
        const Affine& m = place_.m;
        const double ux = std::cos(arc.start), uy = std::sin(arc.start);
        arc.start = std::atan2(m.c * ux + m.d * uy, m.a * ux + m.b * uy);
        if (m.Det() < 0) arc.sweep = -arc.sweep;
        arc.r *= std::sqrt(std::fabs(m.Det()));
        m.Apply(arc.xc, arc.yc);
      }
      drawing_.arcs.push_back(arc);
    } else {
      DxfPolyline pl{{}, false, order, who};
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
      PlaceVertices(pl.vertices);
      drawing_.polylines.push_back(std::move(pl));
    }
  }

  void PlaceVertices(std::vector<DxfVertex>& vertices) const {
    if (place_.identity) return;
    const double turn = place_.m.Det() < 0 ? -1 : 1;
    for (DxfVertex& v : vertices) {
      place_.m.Apply(v.x, v.y);
      v.bulge *= turn;
    }
  }

  // POLYLINE: the VERTEX entities that follow it, up to SEQEND, are its vertices.
  void StartPolyline(const Entity& e, bool wanted, int order, std::string_view layer) {
    long long flags = 0;
    for (const Pair& p : e.pairs)
      if (p.code == 70) flags = Integer(p);
    if (Failed()) return;
    polyline_ = {{}, (flags & 1) != 0, order, -1};
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
    if (polylineWanted_) polyline_.who = AddName(e, layer);
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
    if (polylineWanted_ && !Failed()) {
      PlaceVertices(polyline_.vertices);
      drawing_.polylines.push_back(std::move(polyline_));
    }
    polyline_ = {};
  }

  void PlaceInserts() {
    for (const auto& [e, order] : inserts_) {
      if (Failed()) return;
      Insert(e, order, ValueOf(e, 8, "0"));
    }
  }

  // The entities of the block that INSERT e names, placed as it says: moved so that
  // the block's base point lies at its insertion point (10, 20), scaled (41, 42),
  // turned (50, degrees), in the INSERT's own plane (210, 220, 230).
  void Insert(const Entity& e, int order, std::string_view insertLayer) {
    // A copy: the view may be the placement's own layer, which changes below.
    const std::string layer(insertLayer);
    const std::string line = "line " + std::to_string(e.line + 1) + ": ";
    const std::string name(ValueOf(e, 2));
    auto found = blocks_.find(UpperCase(name));
    if (found == blocks_.end() || found->second.external) {
      if (OnLayer(layer)) ++drawing_.leftOut["INSERT (block not in the file)"];
      return;
    }
    const Block& block = found->second;
    for (const std::string& open : open_) {
      if (SameWord(open, block.name)) {
        in_.Fail(line + "the block \"" + Shown(name) + "\" inserts itself");
        return;
      }
    }
    if (static_cast<int>(open_.size()) >= MaxBlockDepth) {
      in_.Fail(line + "block references nest more than " + std::to_string(MaxBlockDepth) +
               " deep");
      return;
    }
    double x = 0, y = 0, sx = 1, sy = 1, angle = 0;
    long long columns = 1, rows = 1;
    for (const Pair& p : e.pairs) {
      if (p.code == 10) x = Number(p);
      if (p.code == 20) y = Number(p);
      if (p.code == 41) sx = Number(p);
      if (p.code == 42) sy = Number(p);
      if (p.code == 50) angle = Number(p) * DegToRadian;
      if (p.code == 70) columns = Integer(p);
      if (p.code == 71) rows = Integer(p);
    }
    const double bx = Number(block.baseX), by = Number(block.baseY);
    const int sense = PlaneSense(e);
    if (Failed()) return;

    // Seen from below the plane, x runs the other way (the same for the whole block).
    const double cs = std::cos(angle), sn = std::sin(angle);
    const Affine local{sense * cs * sx, -sense * sn * sy, sn * sx, cs * sy,
                       sense * (x - cs * sx * bx + sn * sy * by), y - sn * sx * bx - cs * sy * by};
    const Placement outer = place_;
    place_.m = Compose(outer.m, local);
    place_.identity = false;
    place_.layer0 = layer;
    place_.where = " in block \"" + Shown(block.name) + "\" (INSERT " +
                   (ValueOf(e, 5).empty() ? line.substr(0, line.size() - 2)
                                          : "handle " + Shown(ValueOf(e, 5))) +
                   ")" + outer.where;
    place_.order = outer.order >= 0 ? outer.order : order;
    open_.push_back(block.name);
    const std::size_t before = OutlineEntities();
    ReadBlock(block);
    const bool placed = OutlineEntities() > before;
    open_.pop_back();
    place_ = outer;
    if (Failed() || !placed) return;

    // Outlines only keep their shape under an even scale; an array would repeat them.
    const std::string what = line + "the INSERT of block \"" + Shown(block.name) + "\" (" +
                             EntityName(e, layer).substr(e.type.size() + 2);
    if (sense == 0) {
      in_.Fail(what + " does not lie in the drawing plane");
    } else if (!(std::fabs(sx) > 0) || std::fabs(sx) != std::fabs(sy)) {
      char scale[80];
      std::snprintf(scale, sizeof scale, "(%.10g, %.10g)", sx, sy);
      in_.Fail(what + " scales it by " + scale +
               "; only a scale that is the same across and up, and not 0, keeps its outlines");
    } else if (columns > 1 || rows > 1) {
      in_.Fail(what + " is an array of " + std::to_string(columns) + " columns and " +
               std::to_string(rows) + " rows (MINSERT); arrays of blocks are not read");
    }
  }

  // The entities of a block, read where its definition stands in the file.
  void ReadBlock(const Block& block) {
    PairReader in(block.body, block.lineBase);
    Entity entity;
    bool open = false;
    Pair p;
    while (!Failed() && in.Next(p)) {
      if (p.code == 0) {
        if (open) Take(entity);
        if (++blockEntities_ > MaxBlockEntities) {
          in_.Fail("the drawing's block references hold more than " +
                   std::to_string(MaxBlockEntities) + " entities");
          return;
        }
        StartEntity(entity, p);
        open = true;
      } else if (open) {
        entity.pairs.push_back(p);
      }
    }
    if (!in.Error().empty() && !Failed()) in_.Fail(in.Error());
    if (open && !Failed()) Take(entity);
    EndPolyline();
  }

  PairReader in_;
  const std::string& layer_;
  const bool countOnly_;
  DxfDrawing& drawing_;
  int order_ = 0;
  bool inPolyline_ = false;
  bool polylineWanted_ = false;
  bool polyline3d_ = false;
  int polylineSense_ = 1;
  DxfPolyline polyline_{{}, false, 0, -1};
  std::map<std::string, Block> blocks_;  // by upper-case name
  std::vector<std::pair<Entity, int>> inserts_;  // model space's INSERTs waiting, with order
  Placement place_;
  std::vector<std::string> open_;  // the blocks being read, outermost first
  long long blockEntities_ = 0;
  std::map<std::string, std::size_t> layerIndex_;  // drawing_.layers by upper-case name
};

}  // namespace

namespace {

bool Read(std::string_view text, const std::string& layer, bool countOnly, DxfDrawing& drawing,
          std::string& error) {
  drawing = DxfDrawing{};
  error.clear();
  if (text.starts_with("AutoCAD Binary DXF")) {
    error = "this is a binary DXF file; only ASCII DXF files are read";
    return false;
  }
  DxfParser parser(text, layer, drawing, countOnly);
  if (!parser.Run(error)) {
    drawing = DxfDrawing{};
    return false;
  }
  return true;
}

}  // namespace

bool ReadDxf(std::string_view text, const std::string& layer, DxfDrawing& drawing,
             std::string& error) {
  return Read(text, layer, false, drawing, error);
}

bool ReadDxfLayers(std::string_view text, std::vector<DxfLayerCount>& layers, std::string& error) {
  DxfDrawing drawing;
  const bool read = Read(text, "", true, drawing, error);
  layers = std::move(drawing.layers);
  return read;
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
