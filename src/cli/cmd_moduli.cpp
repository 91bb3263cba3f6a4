// kelvarin-cli moduli: the section moduli of a section file, as the output window
// shows them, or as JSON.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/computed_file.h"
#include "cli/properties_json.h"
#include "model/moduli.h"
#include "model/shared_state.h"

namespace {

CliExit RunModuli(const CliFileOptions& options) {
  CliSession session(options.dataFolder);
  CliExit exit = ExitDone;
  if (!ComputeFile(session, options, exit)) return exit;
  const ModuliSet moduli = ComputeModuli();
  if (options.json) {
    if (!moduli.unavailable.empty())
      std::fprintf(stderr, "%s: some moduli are unavailable: %s\n", options.file.c_str(),
                   moduli.unavailable.c_str());
    std::printf("%s\n", ModuliJson(moduli).c_str());
    return ExitDone;
  }
  for (const std::string& line : ModuliReportLines(moduli, Shared.SigDigits))
    std::printf("%s\n", line.c_str());
  return ExitDone;
}

}  // namespace

CliCommand AddModuliCommand(CLI::App& cli) {
  auto options = std::make_shared<CliFileOptions>();
  CLI::App* command = cli.add_subcommand(
      "moduli", "radii of gyration, elastic and plastic section moduli, plastic neutral axes "
                "and perimeter, as the output window shows them or as JSON. Wplx is taken "
                "about the line y = yPNA and Wply about x = xPNA; u is the Imax axis at the "
                "principal angle, v the Imin axis");
  command->add_flag("--json", options->json,
                    "the values as one JSON object, 17 significant digits (null where unavailable)");
  AddFileOptions(*command, *options);
  return {command, [options] { return RunModuli(*options); }};
}
