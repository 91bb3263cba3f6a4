// A command-line run of the program: the headless platform with a data folder, and
// reading a section file as the program's Open command does.
#pragma once

#include <cstdio>
#include <string>

#include "headless/headless_platform.h"

// Sets up the headless platform on appDataFolder ("" for the desktop program's) and
// reads the settings from its data folder without creating anything.
class CliSession {
 public:
  explicit CliSession(const std::string& appDataFolder);
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  HeadlessPlatform& Platform() { return platform_; }

  // Empties the tables and reads path as the program would. On refusal or a read
  // error the program's message goes to standard error and the result is false.
  bool ReadFile(const std::string& path);
  // The tables read from path can be calculated: they hold sections and the last is
  // complete. Otherwise says why on standard error.
  static bool Reportable(const std::string& path);
  // Writes the message boxes and dialogs recorded since the last call to err.
  void PrintMessages(std::FILE* err);
  // The lines of the last output window shown since the session began; false when
  // none was shown.
  bool LastOutputWindow(std::string& title, std::vector<std::string>& lines) const;

 private:
  HeadlessPlatform platform_;
  std::size_t printed_ = 0;
};
