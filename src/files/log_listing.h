// The log listing of every section.
#pragma once

#include <string>
#include <vector>

// The lines of the listing for the current tables and SigDigits.
std::vector<std::string> LogLines();
// Replaces each tab by blanks up to the next column that is a multiple of 6.
std::string ExpandTabs(const std::string& line);
