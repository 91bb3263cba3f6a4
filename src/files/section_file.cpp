#include "files/section_file.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "files/atomic_file.h"
#include "files/settings.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/platform.h"
#include "util/bits.h"

namespace {


// Little-endian fields, written and read byte by byte so that the layout does not
// depend on the machine.
void PutI32(std::vector<std::uint8_t>& out, std::int32_t value) {
  auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}
void PutF32(std::vector<std::uint8_t>& out, float value) {
  PutI32(out, BitCopy<std::int32_t>(value));
}
std::int32_t GetI32(const std::uint8_t* p) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}
float GetF32(const std::uint8_t* p) { return BitCopy<float>(GetI32(p)); }

bool IsPolygon(const Section& s) { return KindOf(s) == SectionKind::Polygon; }

void ShowError(const std::string& text) {
  PlatformMessageBox(text, "Error", MsgOk | MsgIconError);
}

}  // namespace

const char* SectionFileErrorText(SectionFileError error) {
  switch (error) {
    case SectionFileError::None: return "no error";
    case SectionFileError::BadHeader: return "the file does not start with the section-file header";
    case SectionFileError::BadCounts: return "the counts of nodes, sections or rows are out of range";
    case SectionFileError::Truncated: return "the file is shorter than its counts say";
    case SectionFileError::BadKind: return "a section has an unknown kind";
    case SectionFileError::BadSlotRange: return "a section's node slots are out of range or out of order";
    case SectionFileError::BadRowNumber: return "a parameter row number is out of range";
  }
  return "unknown error";
}



std::vector<std::uint8_t> EncodeSectionFile() {
  // The counts can only exceed the arrays through a fault elsewhere; nothing beyond
  // the arrays exists to be written.
  const int n = std::clamp(Table.nodeCount, 0, TopNode);
  const int s = std::clamp(Table.sectionCount, 0, MaxSections);

  std::array<std::int32_t, TopNode + 1> rowOf{};
  int r = 0;
  for (int k = 1; k <= n; ++k) {
    if (Table.params[k].c[3] != 0.0f) rowOf[k] = ++r;
  }

  std::vector<std::uint8_t> out;
  out.reserve(SectionFileFixedSize + SectionRecordSize * s + NodeEntrySize * n +
              ParamRowSize * r);
  out.insert(out.end(), SectionFileHeader, SectionFileHeader + SectionFileHeaderSize);
  PutI32(out, n);
  PutI32(out, s);
  PutI32(out, r);
  for (int i = 1; i <= s; ++i) {
    const Section& sec = Table.sections[i];
    out.push_back(sec.kind);
    out.push_back(sec.flags);
    PutI32(out, sec.firstNode);
    // Other kinds carry the row number of their slot in place of lastNode.
    if (IsPolygon(sec)) {
      PutI32(out, sec.lastNode);
    } else {
      bool inRange = sec.firstNode >= 1 && sec.firstNode <= n;
      PutI32(out, inRange ? rowOf[sec.firstNode] : 0);
    }
    PutF32(out, sec.weight);
  }
  for (int k = 1; k <= n; ++k) {
    PutF32(out, Table.nodes[k].x);
    PutF32(out, Table.nodes[k].y);
    PutI32(out, rowOf[k]);
  }
  for (int k = 1; k <= n; ++k) {
    if (rowOf[k] == 0) continue;
    for (float v : Table.params[k].c) PutF32(out, v);
  }
  return out;
}

SectionFileError DecodeSectionFile(const std::uint8_t* data, std::size_t size) {
  if (size < SectionFileHeaderSize || std::memcmp(data, "Velmora", 7) != 0) {
    return SectionFileError::BadHeader;
  }
  if (size < SectionFileFixedSize) return SectionFileError::Truncated;
  const std::int32_t n = GetI32(data + 13);
  const std::int32_t s = GetI32(data + 17);
  const std::int32_t r = GetI32(data + 21);
  // Node slots end below the phantom points; every row belongs to a distinct slot.
  if (n < 0 || n > TopNode || n >= Table.lowestPhantom || s < 0 || s > MaxSections || r < 0 ||
      r > n) {
    return SectionFileError::BadCounts;
  }
  const std::size_t need = SectionFileFixedSize + SectionRecordSize * s + NodeEntrySize * n +
                           ParamRowSize * r;
  if (size < need) return SectionFileError::Truncated;

  // Everything is checked in these copies before the tables are touched.
  std::array<Section, MaxSections + 1> sections{};
  std::array<std::int32_t, TopNode + 1> rowOf{};
  const std::uint8_t* p = data + SectionFileFixedSize;
  int usedTop = 0;  // highest slot taken by the sections so far
  for (int i = 1; i <= s; ++i, p += SectionRecordSize) {
    Section sec;
    sec.kind = p[0];
    // The reflection-copy bits only mean something in the session that made them;
    // bits 5-7 have no meaning.
    sec.flags = p[1] & (Complete | Off | Deleted);
    sec.firstNode = GetI32(p + 2);
    sec.lastNode = GetI32(p + 6);
    sec.weight = GetF32(p + 10);
    if (sec.kind >= SectionKindCount) return SectionFileError::BadKind;
    const std::int32_t first = sec.firstNode;
    if (IsPolygon(sec)) {
      if (first < 1 || sec.lastNode < first || sec.lastNode > n || first <= usedTop) {
        return SectionFileError::BadSlotRange;
      }
      usedTop = sec.lastNode;
    } else {
      if (first < 1 || first > n) return SectionFileError::BadSlotRange;
      const std::int32_t row = sec.lastNode;
      if (row < 0 || row > r) return SectionFileError::BadRowNumber;
      if (first <= usedTop) {
        // Copying a merge-data section gives a second record on the same slot; any
        // other reuse of a slot cannot come from the program.
        bool shared = false;
        for (int t = 1; t < i && !shared; ++t) {
          shared = sections[t].kind == sec.kind && sections[t].firstNode == first;
        }
        if (!shared) return SectionFileError::BadSlotRange;
      } else {
        usedTop = first;
      }
      rowOf[first] = row;
      sec.lastNode = first;
    }
    sections[i] = sec;
  }

  std::array<Node, TopNode + 1> nodes{};
  for (int k = 1; k <= n; ++k, p += NodeEntrySize) {
    nodes[k] = {GetF32(p), GetF32(p + 4)};
    const std::int32_t row = GetI32(p + 8);
    if (row < 0 || row > r) return SectionFileError::BadRowNumber;
    if (row != 0) rowOf[k] = row;
  }
  const std::uint8_t* rows = p;

  // The file is sound: fill the tables. Slots above N up to the phantom points and
  // sections above S are left empty whatever the caller left in them.
  for (int i = 1; i <= MaxSections; ++i) Table.sections[i] = i <= s ? sections[i] : Section{};
  for (int k = 1; k < Table.lowestPhantom && k <= TopNode; ++k) {
    Table.nodes[k] = k <= n ? nodes[k] : Node{};
    ParamRow& row = Table.params[k];
    row = ParamRow{};
    if (k <= n && rowOf[k] != 0) {
      const std::uint8_t* q = rows + ParamRowSize * (rowOf[k] - 1);
      for (int c = 0; c < 10; ++c) row.c[c] = GetF32(q + 4 * c);
    }
  }
  Table.nodeCount = n;
  Table.sectionCount = s;
  Table.CurrentSection = s;
  Shared.ResultsCurrent = false;
  Shared.FileChanged = false;
  return SectionFileError::None;
}

SectionFileRead ReadSectionFile() {
  std::vector<std::uint8_t> bytes;
  std::string reason;
  // Anything after the last row is ignored, so no more than the largest valid file
  // is ever read, whatever the file's size.
  if (!ReadFilePrefix(Shared.CurrentFile, MaxSectionFileSize, bytes, reason)) {
    ShowError("Cannot read the file\n" + Shared.CurrentFile + "\n" + reason);
    return {false, SectionFileError::None};
  }
  const SectionFileError error = DecodeSectionFile(bytes.data(), bytes.size());
  if (error != SectionFileError::None) {
    ShowError("   Wrong file type   ");
    return {false, error};
  }
  return {true, SectionFileError::None};
}

bool WriteSectionFile() {
  if (Shared.FileChanged) {
    std::vector<std::uint8_t> bytes = EncodeSectionFile();
    std::string reason;
    if (!WriteFileAtomically(Shared.CurrentFile, bytes.data(), bytes.size(), reason)) {
      ShowError("Cannot save the file\n" + Shared.CurrentFile + "\n" + reason);
      return false;
    }
  }
  Shared.FileChanged = false;
  // The settings always name the file last written; a failure there is reported by
  // WriteSettings and does not undo the save.
  WriteSettings();
  return true;
}
