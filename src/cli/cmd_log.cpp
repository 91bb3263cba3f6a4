// kelvarin-cli log: the log listing of a section file.
#include <cstdio>
#include <memory>

#include "app/report_window.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "files/log_listing.h"
#include "model/shared_state.h"

namespace {

CliExit RunLog(const CliFileOptions& options) {
  CliSession session(options.dataFolder);
  if (options.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.digits);
  if (!session.ReadFile(options.file)) return ExitRefusedFile;
  // An unclosed polygon is listed as it is: the listing shows it without a weight.
  ShowLogFile();
  std::string title;
  std::vector<std::string> lines;
  if (!session.LastOutputWindow(title, lines)) return ExitNothingToReport;
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return ExitDone;
}

}  // namespace

CliCommand AddLogCommand(CLI::App& cli) {
  auto options = std::make_shared<CliFileOptions>();
  CLI::App* command = cli.add_subcommand("log", "the log listing of every section");
  AddFileOptions(*command, *options);
  return {command, [options] { return RunLog(*options); }};
}
