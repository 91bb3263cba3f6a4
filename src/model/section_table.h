// The process-wide section table: sections, node slots, parameter rows, counters.
#pragma once

#include <array>
#include <cstdint>

#include "model/param_row.h"
#include "util/numeric.h"

constexpr int MaxSections = 100;  // sections 1..100; slot 0 is never used
constexpr int TopNode = 250;      // node slots 1..250; slot 0 stays (0, 0)
constexpr int PhantomGap = 50;    // free slots kept between nodes and phantom points

enum class SectionKind : std::uint8_t {
  Polygon = 0,
  Circle = 1,
  ArcSegment = 2,
  MergeData = 3,
  RadialBlock = 4,
};
constexpr int SectionKindCount = 5;

// Bits of Section::flags.
enum SectionFlag : std::uint8_t {
  Complete = 1,
  Off = 2,
  Deleted = 4,
  XReflectCopy = 8,
  YReflectCopy = 16,
};

// One section record. The section file holds the same fields in the same order,
// written and read one by one.
struct Section {
  std::uint8_t kind;
  std::uint8_t flags;
  std::int32_t firstNode;
  std::int32_t lastNode;
  float weight;
  friend bool operator==(const Section&, const Section&) = default;
};

struct Node {
  float x;
  float y;
  friend bool operator==(const Node&, const Node&) = default;
};

struct SectionTable {
  std::array<Section, MaxSections + 1> sections;
  std::array<Node, TopNode + 1> nodes;
  std::array<ParamRow, TopNode + 1> params;
  std::int32_t sectionCount;
  std::int32_t nodeCount;
  std::int32_t lowestPhantom;  // TopNode + 1 when there are no phantom points
  std::int32_t CurrentSection;
  bool xReflected;
  bool yReflected;
  friend bool operator==(const SectionTable&, const SectionTable&) = default;
};

extern SectionTable Table;

inline SectionKind KindOf(const Section& s) { return static_cast<SectionKind>(s.kind); }
inline bool HasFillet(int slot) { return FilletView(Table.params[slot]).radius() != 0.0f; }

// Empties the section table itself: every record, node and row zero, counters at
// their reset values. ResetTables (the full reset of the program state) calls it.
void ClearSectionTable();

// The number of the section that owns node slot k (first match, deleted and off
// sections included), or 0.
int SectionOfPoint(int k);

// (length, angle) of (dx, dy); the angle in radians lies in [0, 2π).
struct Polar {
  double length;
  double angle;
};
Polar ToPolar(double dx, double dy);
