// The log listing of every section, shown in the output window.
#pragma once

#include <string>
#include <vector>

// Builds the listing and shows it in the output window (400 x 200, "Log File").
void ShowLogFile();

// The lines of the listing for the current tables and SigDigits.
std::vector<std::string> LogLines();
// Replaces each tab by blanks up to the next column that is a multiple of 6.
std::string ExpandTabs(const std::string& line);
