#include "cli/cli_session.h"

#include <filesystem>

#include "app/program_state.h"
#include "files/section_file.h"
#include "files/settings.h"
#include "model/section_table.h"
#include "model/shared_state.h"
#include "platform/data_folder.h"

CliSession::CliSession(const std::string& appDataFolder)
    : platform_(appDataFolder.empty() ? UserDataFolder() : appDataFolder) {
  SetPlatform(&platform_);
  ResetProgramState();
  Shared.DataFolder = DataFolderPath();
  ReadSettings();
}

CliSession::~CliSession() { SetPlatform(nullptr); }

bool CliSession::ReadFile(const std::string& path) {
  ResetTables();
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  Shared.CurrentFile = ec ? path : absolute.string();
  const SectionFileRead read = ReadSectionFile();
  PrintMessages(stderr);
  if (!read.ok && read.error != SectionFileError::None) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), SectionFileErrorText(read.error));
  }
  return read.ok;
}

bool CliSession::Reportable(const std::string& path) {
  // The calculation declines while the last section is unfinished.
  const int last = Table.sectionCount;
  if (last == 0) {
    std::fprintf(stderr, "%s: the file holds no sections; there is nothing to report\n",
                 path.c_str());
    return false;
  }
  if (!(Table.sections[last].flags & Complete)) {
    std::fprintf(stderr, "%s: the last section (%d) is an unclosed polygon; close it first\n",
                 path.c_str(), last);
    return false;
  }
  return true;
}

void CliSession::PrintMessages(std::FILE* err) {
  const std::vector<PlatformEvent>& events = platform_.Events();
  for (; printed_ < events.size(); ++printed_) {
    const PlatformEvent& e = events[printed_];
    if (e.kind != PlatformEvent::MessageBox && e.kind != PlatformEvent::MessageDialog) continue;
    // The blanks that pad a message box's text mean nothing on a terminal.
    std::string text = e.text;
    std::size_t b = text.find_first_not_of(' ');
    text = b == std::string::npos ? "" : text.substr(b, text.find_last_not_of(' ') - b + 1);
    std::fprintf(err, "%s: %s\n", e.caption.c_str(), text.c_str());
  }
}

bool CliSession::LastOutputWindow(std::string& title, std::vector<std::string>& lines) const {
  const std::vector<PlatformEvent>& events = platform_.Events();
  for (auto it = events.rbegin(); it != events.rend(); ++it) {
    if (it->kind != PlatformEvent::OutputWindow) continue;
    title = it->caption;
    lines = it->lines;
    return true;
  }
  return false;
}
