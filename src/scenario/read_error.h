// What the playlist and scenario readers report themselves: a number they cannot read
// and a file too large to be a settings file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Logs "Invalid number '<value>' for key '<key>' in <path>, line <n>.", n counted from 1.
void logInvalidNumber(const std::string& value, const std::string& key, const std::string& path,
                      size_t lineNumber);

// Settings files are written by hand: a larger one is a wrong path, refused before it is
// read rather than filling the memory.
inline constexpr uint64_t kMaxSettingsFileBytes = uint64_t{64} << 20;

// Reads a playlist or scenario file whole; false when it cannot. A file past the limit
// is reported as "File <path> is too large to read."
bool readSettingsFile(const std::string& path, std::string& text);
