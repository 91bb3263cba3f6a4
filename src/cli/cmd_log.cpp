// kelvarin-cli log: the log listing of a section file.
#include <cstdio>

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "files/log_listing.h"
#include "model/shared_state.h"

namespace {

int RunLog(const std::vector<std::string>& args) {
  CliFileOptions options;
  if (!ParseCliFileOptions("log", args, false, options)) return 1;
  CliSession session(options.dataFolder);
  if (options.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.digits);
  if (!session.ReadFile(options.file)) return 2;
  // An unclosed polygon is listed as it is: the listing shows it without a weight.
  ShowLogFile();
  std::string title;
  std::vector<std::string> lines;
  if (!session.LastOutputWindow(title, lines)) return 1;
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return 0;
}

const CliRegistration registration{
    {"log", "log [--digits N] [--data DIR] FILE.sec                  log listing", RunLog}};

}  // namespace
