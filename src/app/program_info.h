// What the program says about itself: the version and usage texts of the desktop
// program's command line, its arguments, and where its HTML help page is installed.
#pragma once

#include <string>
#include <vector>

// The HTML help page, installed as share/kelvarin/<HelpPageName> beside the program
// (build tree) or beside its bin folder (installed tree).
inline constexpr char HelpPageName[] = "kelvarin-help.html";

// The help page for a program in programFolder: the first of
// programFolder/share/kelvarin/ and programFolder/../share/kelvarin/ that holds it,
// or "" when neither does (or the folder is unknown).
std::string FindHelpPage(const std::string& programFolder);

// "kelvarin --version" and "kelvarin --help", each ending in a line break.
std::string VersionText();
std::string UsageText();

// The desktop program's command line.
struct ProgramArguments {
  enum Action { Run, ShowVersion, ShowUsage, Refuse } action = Run;
  std::string fileText;  // Run: the arguments joined by blanks (the file to open)
  std::string error;     // Refuse: the message for standard error
};
// --help / -h and --version answer and exit; "--" ends the options; any other word
// starting with "-" is refused. The remaining words, joined by single blanks, name
// the file to open (its double quotes are removed at start-up).
ProgramArguments ReadProgramArguments(const std::vector<std::string>& args);
