// Subcommands of kelvarin-cli register themselves here; main() dispatches by name.
#pragma once

#include <string>
#include <vector>

struct CliCommand {
  const char* name;
  const char* usage;    // one line for --help
  int (*run)(const std::vector<std::string>& args);  // args after the command name
};

std::vector<CliCommand>& CliCommands();

struct CliRegistration {
  explicit CliRegistration(CliCommand command) { CliCommands().push_back(command); }
};
