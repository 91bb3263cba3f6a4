// kelvarin-cli: the program's calculations, files and drawing without a window.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"

std::vector<CliCommand>& CliCommands() {
  static std::vector<CliCommand> commands;
  return commands;
}

static void PrintHelp(std::FILE* out) {
  std::fputs("usage: kelvarin-cli COMMAND [OPTIONS] ARGS\n\ncommands:\n", out);
  for (const CliCommand& c : CliCommands()) std::fprintf(out, "  %s\n", c.usage);
  std::fputs("  --help\n", out);
}

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    PrintHelp(stderr);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(stdout);
    return 0;
  }
  for (const CliCommand& c : CliCommands()) {
    if (args[0] == c.name) return c.run({args.begin() + 1, args.end()});
  }
  std::fprintf(stderr, "kelvarin-cli: unknown command '%s'\n", args[0].c_str());
  PrintHelp(stderr);
  return 2;
}
