// Whole-file reads and writes that never leave a half-written file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Writes bytes to path through a temporary file in the same folder that is flushed
// to disk and renamed over the target, so the old file survives any failure. An
// existing target keeps its permissions; a link is followed to the file it names.
// On failure returns false with the reason in error and leaves no temporary behind.
bool WriteFileAtomically(const std::string& path, const void* data, std::size_t size,
                         std::string& error);

// Reads at most maxBytes from the start of path into bytes. False with the reason in
// error when the file cannot be opened or read.
bool ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                    std::vector<std::uint8_t>& bytes, std::string& error);
