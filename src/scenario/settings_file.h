// Reading a playlist or scenario file whole.
#pragma once

#include <cstdint>
#include <string>

// Settings files are written by hand: a larger one is a wrong path, refused before it is
// read rather than filling the memory.
inline constexpr uint64_t kMaxSettingsFileBytes = uint64_t{64} << 20;

// Reads a playlist or scenario file whole; false when it cannot. A file past the limit
// is reported as "File <path> is too large to read." (and `tooLarge`, when given, is set).
bool readSettingsFile(const std::string& path, std::string& text, bool* tooLarge = nullptr);
