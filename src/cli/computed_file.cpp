#include "cli/computed_file.h"

#include <cstdint>
#include <cstdio>

#include "app/report_window.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"

bool ComputeFile(CliSession& session, const CliFileOptions& options, CliExit& exit) {
  if (options.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.digits);
  if (!session.ReadFile(options.file)) {
    exit = ExitRefusedFile;
    return false;
  }
  const int last = Table.sectionCount;
  if (last == 0 || !(Table.sections[last].flags & Complete)) {
    std::fprintf(stderr, "%s: %s\n", options.file.c_str(),
                 last == 0 ? "the file holds no sections; there is nothing to report"
                           : "the last section is an unclosed polygon; close it first");
    exit = ExitNothingToReport;
    return false;
  }
  ComputePropertiesSilently();
  session.PrintMessages(stderr);
  return true;
}
