// Reading the attached sink's EDID, reporting its Dolby VSVDB and saving it.
#pragma once

#include <cstdint>
#include <string>

// The EDID buffer's size: what the device is asked for and what the file receives.
inline constexpr uint32_t kSinkEdidBufferSize = 8192;

// Reads the sink's EDID, logs whether it declares a Dolby VSVDB and, when path is not
// empty, writes the whole zero-filled buffer to that file. False when the device refuses
// the read or the file cannot be written.
bool ReadSinkEdid(const std::string& path);
