// kelvarin-cli run: plays a scenario script (headless/scenario.h) against the
// program headless, printing everything the user would see as it happens. A
// malformed line stops the run with exit code 2.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "app/dispatch.h"
#include "cli/cli_command.h"
#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "cli/properties_json.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"
#include "headless/scenario.h"
#include "headless/scenario_printer.h"
#include "model/properties.h"
#include "platform/data_folder.h"

namespace {

struct RunOptions {
  std::string dataFolder, scriptName;
};

int RunScenario(const RunOptions& options) {
  const std::string& dataFolder = options.dataFolder;
  const std::string& scriptName = options.scriptName;
  std::ifstream file;
  if (scriptName != "-") {
    file.open(scriptName);
    if (!file) {
      std::fprintf(stderr, "kelvarin-cli run: cannot read %s\n", scriptName.c_str());
      return ExitRefusedFile;
    }
  }
  std::istream& script = scriptName == "-" ? std::cin : file;

  HeadlessPlatform platform(dataFolder.empty() ? UserDataFolder() : dataFolder);
  // The view draws as in the window; its calls are not printed.
  RecordingCanvas canvas;
  platform.SetViewCanvas(&canvas);
  platform.SetListener(PrintScenarioEvent);
  SetPlatform(&platform);
  StartUp("");
  const int result = PlayScenario(script, scriptName, platform, [] {
    std::printf("%s\n", PropertiesJson(Calc.props).c_str());
  });
  SetPlatform(nullptr);
  return result == 0 ? ExitDone : ExitRefusedFile;
}

}  // namespace

CliCommand AddRunCommand(CLI::App& cli) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* command = cli.add_subcommand("run", "plays a scenario script headless");
  AddDataOption(*command, options->dataFolder);
  command->add_option("SCRIPT", options->scriptName, "the scenario script, - for standard input")
      ->type_name("")
      ->required();
  return {command, [options] { return static_cast<CliExit>(RunScenario(*options)); }};
}
