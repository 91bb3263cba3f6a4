#include "cli/cli_options.h"

#include <algorithm>
#include <cctype>

const CLI::Validator WholeNumber(
    [](std::string& text) -> std::string {
      bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
      });
      if (!digits) return "'" + text + "' is not a whole number";
      text.erase(0, std::min(text.find_first_not_of('0'), text.size() - 1));
      return "";
    },
    "", "whole number");

void AddDataOption(CLI::App& command, std::string& folder) {
  command.add_option("--data", folder,
                     "the application-data folder (settings in DIR/Tessivane/Velmora/); "
                     "default $XDG_DATA_HOME or ~/.local/share")
      ->type_name("DIR");
}

void AddFileOptions(CLI::App& command, CliFileOptions& options) {
  command.add_option("--digits", options.digits,
                     "decimals in the numbers, 0 to 6; default the settings' value")
      ->type_name("N")
      ->transform(WholeNumber)
      ->check(CLI::Range(0, 6));
  AddFileArguments(command, options);
}

void AddFileArguments(CLI::App& command, CliFileOptions& options) {
  AddDataOption(command, options.dataFolder);
  command.add_option("FILE.sec", options.file, "the section file")->type_name("")->required();
}
