// The commands of kelvarin-cli and the one rule for its exit codes. Each command
// adds itself, with its options, to the tool's CLI11 parser; main() parses the
// command line once and runs the command that was chosen.
#pragma once

#include <functional>

namespace CLI {
class App;
}

// The exit codes of every command.
enum CliExit : int {
  ExitDone = 0,
  ExitBadUsage = 1,         // no command, an unknown command, a bad or missing option or argument
  ExitRefusedFile = 2,      // a file refused, unreadable or unwritable; a malformed script line
  ExitNothingToReport = 3,  // no sections, or the last polygon is not closed
  ExitNoDrawing = 4,        // draw or print without the drawing plugin (a broken installation)
};

struct CliCommand {
  CLI::App* command;             // the subcommand, owned by the parser
  std::function<CliExit()> run;  // runs it on the options parsed into it
};

CliCommand AddReportCommand(CLI::App& cli);
CliCommand AddLogCommand(CLI::App& cli);
CliCommand AddDrawCommand(CLI::App& cli);
CliCommand AddRunCommand(CLI::App& cli);
CliCommand AddPrintCommand(CLI::App& cli);
CliCommand AddImportDxfCommand(CLI::App& cli);
CliCommand AddModuliCommand(CLI::App& cli);
CliCommand AddShearCommand(CLI::App& cli);
CliCommand AddTorsionCommand(CLI::App& cli);
CliCommand AddProfileCommand(CLI::App& cli);
