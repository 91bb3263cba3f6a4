#include "files/installed_data.h"

#include <filesystem>
#include <system_error>

std::string FindInstalledData(const std::string& programFolder, const std::string& name,
                              InstalledKind kind) {
  if (programFolder.empty()) return "";
  const std::filesystem::path base(programFolder);
  for (const char* share : {"share/kelvarin", "../share/kelvarin"}) {
    const std::filesystem::path path = (base / share / name).lexically_normal();
    std::error_code error;
    const bool found = kind == InstalledKind::File ? std::filesystem::is_regular_file(path, error)
                                                   : std::filesystem::is_directory(path, error);
    if (found) return path.string();
  }
  return "";
}

std::string RunningProgramFolder() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || !program.has_parent_path()) return "";
  return program.parent_path().string() + "/";
}
