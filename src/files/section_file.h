// Section files (.sec): the reader and the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/program_version.h"

enum class SectionFileError;

// What ReadSectionFile did: ok, or refused with the reason (None when the file could
// not be read at all). Tests as ok.
struct SectionFileRead {
  bool ok = false;
  SectionFileError error{};
  explicit operator bool() const { return ok; }
};

// Fills the (already emptied) tables from CurrentFile. Not ok when the file was
// refused or could not be read (the user has been told why); the tables are then
// empty.
SectionFileRead ReadSectionFile();
// Writes the tables to CurrentFile when FileChanged is set, then the settings.
// False when the write failed (FileChanged stays set).
bool WriteSectionFile();

// The header text and the fixed sizes of the file layout.
inline constexpr const char* SectionFileHeader = ProgramHeaderText;  // 13 bytes, no terminator
inline constexpr std::size_t SectionFileHeaderSize = 13;
inline constexpr std::size_t SectionFileFixedSize = 25;  // header and three counts
inline constexpr std::size_t SectionRecordSize = 14;
inline constexpr std::size_t NodeEntrySize = 12;
inline constexpr std::size_t ParamRowSize = 40;
// The largest file the tables can give; bytes after it are never looked at.
inline constexpr std::size_t MaxSectionFileSize =
    SectionFileFixedSize + SectionRecordSize * 100 + NodeEntrySize * 250 + ParamRowSize * 250;

// Why a file was refused.
enum class SectionFileError {
  None,
  BadHeader,        // shorter than the header or not "Velmora..."
  BadCounts,        // N, S or R negative or beyond the tables
  Truncated,        // shorter than its counts say
  BadKind,          // a section kind outside 0..4
  BadSlotRange,     // a section's slots outside 1..N, reversed, unordered or shared
  BadRowNumber,     // a row number below 0 or above R
};
const char* SectionFileErrorText(SectionFileError error);

// The bytes WriteSectionFile puts on disk for the current tables.
std::vector<std::uint8_t> EncodeSectionFile();
// Checks the whole buffer, then (only when it is sound) fills the tables from it as
// ReadSectionFile does. The tables must have been emptied by the caller; on refusal
// they are not touched.
SectionFileError DecodeSectionFile(const std::uint8_t* data, std::size_t size);

