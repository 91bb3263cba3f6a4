// Flags, paths and settings that several subsystems share.
#pragma once

#include <cstdint>
#include <string>

struct SharedState {
  bool ResultsCurrent = false;  // the stored PropertySet matches the tables
  bool FileChanged = false;     // the tables differ from the section file
  std::string CurrentFile;      // full path of the section file in use, "" for none
  std::string DataFolder;       // program data folder, ends in '/'
  std::uint8_t SigDigits = 3;   // decimals in the report and the log, 0..6
  std::uint8_t OpenLastFile = 0;
  friend bool operator==(const SharedState&, const SharedState&) = default;
};

extern SharedState Shared;
