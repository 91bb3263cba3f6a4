// kelvarin-cli: the program's calculations, files and drawing without a window.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

#include "cli/cli_command.h"
#include "model/program_version.h"

int main(int argc, char** argv) {
  CLI::App cli{"Kelvarin's calculations, files and drawing without a window.", "kelvarin-cli"};
  // At most one command; none is reported below, so that an unknown word is named
  // as such rather than as a missing command.
  cli.require_subcommand(0, 1);
  cli.set_version_flag("--version", std::string("kelvarin-cli ") + ProgramVersionText);
  const CliCommand commands[] = {AddReportCommand(cli), AddLogCommand(cli), AddDrawCommand(cli),
                                 AddRunCommand(cli),    AddPrintCommand(cli),
                                 AddImportDxfCommand(cli), AddModuliCommand(cli),
                                 AddShearCommand(cli), AddTorsionCommand(cli),
                                 AddProfileCommand(cli)};
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help and --version arrive here too, with CLI11's exit code 0; every other
    // parse error is
    // bad usage. exit() prints the help or the error.
    return cli.exit(e) == 0 ? ExitDone : ExitBadUsage;
  }
  for (const CliCommand& c : commands)
    if (c.command->parsed()) return c.run();
  std::fputs("kelvarin-cli: a command is required\nRun with --help for more information.\n",
             stderr);
  return ExitBadUsage;
}
