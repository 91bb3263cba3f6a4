// Options shared by the report and log commands.
#pragma once

#include <string>
#include <vector>

struct CliFileOptions {
  int digits = -1;        // -1: the settings' value
  bool json = false;      // report only
  std::string dataFolder; // "" for the desktop program's
  std::string file;
};

// Parses [--digits N] [--json] [--data DIR] FILE; allowJson says whether --json is
// known. On error prints why to standard error and returns false.
bool ParseCliFileOptions(const char* command, const std::vector<std::string>& args,
                         bool allowJson, CliFileOptions& options);
