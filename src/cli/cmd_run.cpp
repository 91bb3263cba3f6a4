// kelvarin-cli run: plays a scenario script (headless/scenario.h) against the
// program headless, printing everything the user would see as it happens. A
// malformed line stops the run with exit code 2.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "cli/cli_command.h"
#include "cli/cli_session.h"
#include "cli/properties_json.h"
#include "headless/headless_platform.h"
#include "headless/recording_canvas.h"
#include "headless/scenario.h"
#include "model/properties.h"

namespace {

int RunScenario(const std::vector<std::string>& args) {
  std::string dataFolder, scriptName;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--data" && i + 1 < args.size()) {
      dataFolder = args[++i];
    } else if (scriptName.empty() && (args[i] == "-" || args[i].rfind("--", 0) != 0)) {
      scriptName = args[i];
    } else {
      std::fprintf(stderr, "kelvarin-cli run: unexpected argument '%s'\n", args[i].c_str());
      return 1;
    }
  }
  if (scriptName.empty()) {
    std::fprintf(stderr, "usage: kelvarin-cli run [--data DIR] SCRIPT|-\n");
    return 1;
  }
  std::ifstream file;
  if (scriptName != "-") {
    file.open(scriptName);
    if (!file) {
      std::fprintf(stderr, "kelvarin-cli run: cannot read %s\n", scriptName.c_str());
      return 1;
    }
  }
  std::istream& script = scriptName == "-" ? std::cin : file;

  HeadlessPlatform platform(dataFolder.empty() ? DefaultAppDataFolder() : dataFolder);
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
  return result;
}

const CliRegistration registration{
    {"run", "run [--data DIR] SCRIPT|-   play a scenario script headless", RunScenario}};

}  // namespace
