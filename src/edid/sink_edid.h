// Reading the attached sink's EDID, reporting its Dolby VSVDB and saving it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The EDID buffer's size: what the device is asked for and what the file receives.
inline constexpr uint32_t kSinkEdidBufferSize = 8192;

// Reads the sink's EDID, logs whether it declares a Dolby VSVDB and, when path is not
// empty, writes the whole zero-filled buffer to that file. False when the device refuses
// the read or the file cannot be written. `edid`, when given, receives the bytes the
// device delivered (none when the read failed).
bool ReadSinkEdid(const std::string& path, std::vector<uint8_t>* edid = nullptr);
// Whether `edid` begins with an EDID header: bytes a sink's capabilities can be read from.
bool HasEdidHeader(const std::vector<uint8_t>& edid);

// An EDID file has at most this many bytes: a base block and 255 extensions.
inline constexpr uint32_t kEdidFileMaxBytes = 256 * 128;

// Reads an EDID file as ReadSinkEdid writes it, or any whole number of 128-byte blocks,
// into `edid`. Empty when read; otherwise "Cannot read the sink's EDID <path>: <why>.",
// also when the first block has no EDID header.
std::string ReadSinkEdidFile(const std::string& path, std::vector<uint8_t>& edid);
