// Options shared by the commands of kelvarin-cli.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

struct CliFileOptions {
  int digits = -1;        // -1: the settings' value
  bool json = false;      // report only
  std::string dataFolder; // "" for the desktop program's
  std::string file;
};

// Adds [--digits N] [--data DIR] FILE.sec to command, parsed into options.
void AddFileOptions(CLI::App& command, CliFileOptions& options);
// Adds [--data DIR] FILE.sec only, for a command whose numbers are not the output
// window's.
void AddFileArguments(CLI::App& command, CliFileOptions& options);

// Adds --data DIR, the application-data folder, parsed into folder.
void AddDataOption(CLI::App& command, std::string& folder);

// A transform: decimal digits only, leading zeros dropped. CLI11 reads integers with
// base 0, so "010" would be 8 and "0x10" 16.
extern const CLI::Validator WholeNumber;
