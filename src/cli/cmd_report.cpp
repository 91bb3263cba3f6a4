// kelvarin-cli report: the property report of a section file, as the output window
// shows it, or its values as JSON.
#include <cstdio>
#include <memory>

#include "app/report_window.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/properties_json.h"
#include "model/moduli.h"
#include "model/properties.h"
#include "model/section_table.h"
#include "model/shared_state.h"

namespace {

CliExit RunReport(const CliFileOptions& options) {
  CliSession session(options.dataFolder);
  if (options.digits >= 0) Shared.SigDigits = static_cast<std::uint8_t>(options.digits);
  if (!session.ReadFile(options.file)) return ExitRefusedFile;

  if (!CliSession::Reportable(options.file)) return ExitNothingToReport;

  Calc.calcMode = options.json ? CalcSilent : CalcReport;
  ComputeProperties();
  session.PrintMessages(stderr);
  if (options.json) {
    const ModuliSet moduli = ComputeModuli();
    if (!moduli.unavailable.empty())
      std::fprintf(stderr, "%s: some moduli are unavailable: %s\n", options.file.c_str(),
                   moduli.unavailable.c_str());
    std::printf("%s\n", ReportJson(Calc.props, moduli).c_str());
    return ExitDone;
  }
  std::string title;
  std::vector<std::string> lines;
  if (!session.LastOutputWindow(title, lines)) {
    std::fprintf(stderr, "%s: the calculation showed no report\n", options.file.c_str());
    return ExitNothingToReport;
  }
  for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  return ExitDone;
}

}  // namespace

CliCommand AddReportCommand(CLI::App& cli) {
  auto options = std::make_shared<CliFileOptions>();
  CLI::App* command = cli.add_subcommand(
      "report", "the property report as the output window shows it, or its values as JSON");
  command->add_flag("--json", options->json,
                    "the values and the section moduli as one JSON object, 17 significant digits (null where not finite or unavailable)");
  AddFileOptions(*command, *options);
  return {command, [options] { return RunReport(*options); }};
}
