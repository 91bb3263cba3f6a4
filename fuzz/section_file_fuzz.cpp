// Feeds arbitrary bytes to the section-file reader. Every accepted file must leave
// sound tables, and writing those tables must give a file that reads back to the
// same bytes.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/program_state.h"
#include "files/section_file.h"
#include "files/table_invariants.h"
#include "headless/headless_platform.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "section_file_fuzz: %s\n", what);
  std::abort();
}

void CheckAccepted() {
  if (const char* fault = TableInvariantFault()) Fail(fault);
  if (Table.CurrentSection != Table.sectionCount) Fail("CurrentSection is not the last section");
  if (Shared.FileChanged || Shared.ResultsCurrent) Fail("flags not cleared by the read");
  for (int s = 1; s <= Table.sectionCount; ++s) {
    if (Table.sections[s].flags & (XReflectCopy | YReflectCopy)) Fail("reflection bits kept");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HeadlessPlatform platform;
  platform.Reset();
  SetPlatform(&platform);

  ResetProgramState();
  if (DecodeSectionFile(data, size) != SectionFileError::None) {
    if (Table.sectionCount != 0 || Table.nodeCount != 0) Fail("refused file changed the tables");
    return 0;
  }
  CheckAccepted();

  const std::vector<std::uint8_t> once = EncodeSectionFile();
  ResetTables();
  if (DecodeSectionFile(once.data(), once.size()) != SectionFileError::None) {
    Fail("a written file was refused");
  }
  CheckAccepted();
  if (EncodeSectionFile() != once) Fail("write-read-write changed the bytes");
  return 0;
}
