// The user's data folder, found with the standard library alone so that the program
// and the command-line tool agree on it without Qt.
#pragma once

#include <string>

// $XDG_DATA_HOME when it is an absolute path, else $HOME/.local/share: what Qt's
// GenericDataLocation gives on Linux. Cleaned, ending in '/'; "" when neither
// variable names a folder.
std::string UserDataFolder();
