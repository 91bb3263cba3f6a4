// Feeds arbitrary text to the DXF import, over a small table of the user's.
// A refused drawing must leave that table, the flags and the file name exactly as
// they were, with no reset. An accepted one must leave sound tables within the
// capacities with the counts it reports, every stored number finite, sections that
// calculate without a message to finite results, and a section file that reads back
// to the same bytes. The text cut short (at a place the input's last two bytes
// choose) must be refused, or import exactly as the whole text does.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/report_window.h"
#include "app/program_state.h"
#include "files/dxf_import.h"
#include "files/section_file.h"
#include "files/table_invariants.h"
#include "headless/headless_platform.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

int resets = 0;
void CountedReset() {
  ++resets;
  ResetTables();
}

void Fail(const char* what) {
  std::fprintf(stderr, "dxf_import_fuzz: %s\n", what);
  std::abort();
}

// A triangle and a circle, as the user might have them before importing.
void UsersTable() {
  Table.sections[1] = {static_cast<std::uint8_t>(SectionKind::Polygon), Complete, 1, 3, 1.0f};
  Table.nodes[1] = {0, 0};
  Table.nodes[2] = {4, 0};
  Table.nodes[3] = {0, 3};
  Table.sections[2] = {static_cast<std::uint8_t>(SectionKind::Circle), Complete, 4, 4, -1.0f};
  Table.params[4].c = {0, 1, 1, 0.5f, 0, 0, 0, 0, 0, 0};
  Table.sectionCount = 2;
  Table.nodeCount = 4;
  Table.CurrentSection = 2;
  Shared.CurrentFile = "/home/user/kept.sec";
  Shared.FileChanged = false;
}

void CheckRefused(const DxfImportResult& r, const std::vector<std::uint8_t>& before) {
  if (r.refusal.empty()) Fail("a refusal without a reason");
  if (resets != 0) Fail("a refusal reset the tables");
  if (EncodeSectionFile() != before) Fail("a refusal changed the tables");
  if (Table.CurrentSection != 2 || Shared.FileChanged || Shared.CurrentFile != "/home/user/kept.sec")
    Fail("a refusal changed the program's state");
}

void CheckImported(const DxfImportResult& r, HeadlessPlatform& platform) {
  if (resets != 1) Fail("an import did not reset the tables once");
  if (const char* fault = TableInvariantFault()) Fail(fault);
  if (r.sections < 1 || r.sections > MaxSections || r.sections != Table.sectionCount)
    Fail("section count wrong");
  if (r.points != Table.nodeCount || r.points > TopNode) Fail("point count wrong");
  if (r.polygons + r.circles + r.arcSegments != r.sections) Fail("counts by kind do not add up");
  if (!Shared.FileChanged || Shared.ResultsCurrent || !Shared.CurrentFile.empty() ||
      Table.CurrentSection != Table.sectionCount) {
    Fail("flags after an import");
  }
  for (int k = 1; k <= Table.nodeCount; ++k) {
    if (!std::isfinite(Table.nodes[k].x) || !std::isfinite(Table.nodes[k].y)) Fail("node not finite");
    for (float c : Table.params[k].c)
      if (!std::isfinite(c)) Fail("parameter not finite");
  }
  for (int s = 1; s <= Table.sectionCount; ++s) {
    const Section& sec = Table.sections[s];
    if (sec.flags != Complete || (sec.weight != 1.0f && sec.weight != -1.0f))
      Fail("section flags or weight");
  }

  const std::vector<std::uint8_t> once = EncodeSectionFile();
  ResetTables();
  if (DecodeSectionFile(once.data(), once.size()) != SectionFileError::None)
    Fail("the imported tables were written as a file that is refused");
  if (EncodeSectionFile() != once) Fail("write-read-write changed the bytes");

  const std::size_t events = platform.Events().size();
  Calc.calcMode = CalcSilent;
  ComputeProperties();
  if (platform.Events().size() != events) Fail("the calculation of an import showed a message");
  const PropertySet& p = Calc.props;
  for (double v : {p.A, p.xBar, p.yBar, p.Ixx, p.Iyy, p.Ixy, p.Imax, p.Imin, p.angle})
    if (!std::isfinite(v)) Fail("a property is not finite");
}

// One import over the user's table, checked; the tables it leaves, as a file.
DxfImportResult CheckedImport(std::string_view text, const DxfImportOptions& options,
                              HeadlessPlatform& platform, std::vector<std::uint8_t>& written) {
  ResetProgramState();
  UsersTable();
  const std::vector<std::uint8_t> before = EncodeSectionFile();
  resets = 0;
  const DxfImportResult r = ImportDxf(text, options, CountedReset);
  written = EncodeSectionFile();
  if (r.imported) {
    CheckImported(r, platform);
  } else {
    CheckRefused(r, before);
  }
  return r;
}

bool SameReport(const DxfImportResult& a, const DxfImportResult& b) {
  return a.sections == b.sections && a.polygons == b.polygons && a.circles == b.circles &&
         a.arcSegments == b.arcSegments && a.fillets == b.fillets && a.holes == b.holes &&
         a.points == b.points && a.insUnits == b.insUnits && a.units == b.units &&
         a.leftOut == b.leftOut && a.moved == b.moved && a.movedX == b.movedX &&
         a.movedY == b.movedY;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HeadlessPlatform platform;
  platform.Reset();
  SetPlatform(&platform);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // Bytes after a file's EOF are not read, so the last two bytes can choose where
  // the text is cut without changing what the whole text means.
  const std::size_t cut =
      size < 2 ? 0 : (std::size_t{data[size - 2]} << 8 | data[size - 1]) % (size + 1);

  // Every layer at scale 1, then only layer "0" at another scale.
  const DxfImportOptions choices[] = {{"", 1.0}, {"0", 0.001}};
  for (const DxfImportOptions& options : choices) {
    std::vector<std::uint8_t> whole, part;
    const DxfImportResult r = CheckedImport(text, options, platform, whole);
    const DxfImportResult p = CheckedImport(text.substr(0, cut), options, platform, part);
    if (r.imported && p.imported && (part != whole || !SameReport(p, r)))
      Fail("a text cut short imported other sections than the whole text");
  }
  return 0;
}
