// kelvarin-cli report: the property report of a section file, as the output window
// shows it, or its values as JSON.
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/properties_json.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

int RunReport(const std::vector<std::string>& args) {
  CliFileOptions options;
  if (!ParseCliFileOptions("report", args, true, options)) return 1;
  CliSession session(options.dataFolder);
  if (options.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.digits);
  if (!session.ReadFile(options.file)) return 2;

  // The calculation declines while the last section is unfinished.
  const int last = Table.sectionCount;
  if (last == 0) {
    std::fprintf(stderr, "%s: the file holds no sections; there is nothing to report\n",
                 options.file.c_str());
    return 3;
  }
  if (!(Table.sections[last].flags & Complete)) {
    std::fprintf(stderr, "%s: the last section (%d) is an unclosed polygon; close it first\n",
                 options.file.c_str(), last);
    return 3;
  }

  Calc.calcMode = options.json ? CalcSilent : CalcReport;
  ComputeProperties();
  session.PrintMessages(stderr);
  if (options.json) {
    std::printf("%s\n", PropertiesJson(Calc.props).c_str());
    return 0;
  }
  std::string title;
  std::vector<std::string> lines;
  if (!session.LastOutputWindow(title, lines)) {
    std::fprintf(stderr, "%s: the calculation showed no report\n", options.file.c_str());
    return 1;
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return 0;
}

const CliRegistration registration{
    {"report", "report [--digits N] [--json] [--data DIR] FILE.sec   property report",
     RunReport}};

}  // namespace
