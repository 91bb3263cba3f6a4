#include "platform/data_folder.h"

#include <cstdlib>
#include <filesystem>

std::string UserDataFolder() {
  std::string folder;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    folder = xdg;
  } else if (home != nullptr && home[0] != '\0') {
    folder = std::string(home) + "/.local/share";
  } else {
    return "";
  }
  // "." and ".." steps and doubled or trailing separators go, as Qt cleans the path.
  folder = std::filesystem::path(folder).lexically_normal().string();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder + "/";
}
