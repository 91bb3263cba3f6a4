// Where the data installed with the program is found: share/kelvarin/ beside the
// programs in the build tree, or beside the bin folder once installed.
#pragma once

#include <string>

enum class InstalledKind { File, Folder };

// The first of programFolder/share/kelvarin/name and programFolder/../share/kelvarin/name
// that is a file (or a folder) of that kind, or "" when neither is or the folder is
// unknown.
std::string FindInstalledData(const std::string& programFolder, const std::string& name,
                              InstalledKind kind);

// The folder of the running program (from /proc/self/exe), ending in '/'; "" when it
// cannot be found.
std::string RunningProgramFolder();
