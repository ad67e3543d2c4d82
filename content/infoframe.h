// InfoFrames as packet files: the HDMI packet (header, checksum, data) and the
// DisplayPort InfoFrame SDP (header, then version, length and data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One InfoFrame: its type code (2 AVI, 4 audio, 7 DRM, 1 vendor-specific), version, and
// its data bytes PB1 onwards (their count is the length).
struct InfoFrame {
    uint8_t type = 0;
    uint8_t version = 0;
    std::vector<uint8_t> data;
};

// An HDMI InfoFrame packet holds at most this many data bytes after its checksum.
inline constexpr size_t kMaxInfoFrameData = 27;

// HB0 = 0x80 + type, HB1 = version, HB2 = length, PB0 = checksum (all 31 bytes sum to 0
// modulo 256), then the data, padded with zeros to 31 bytes.
std::vector<uint8_t> HdmiInfoFramePacket(const InfoFrame& frame);
// HB0 = 0, HB1 = 0x80 + type, HB2 = 0x1D, HB3 = SDP version 0x13 << 2, then the version,
// the length and the data, padded with zeros to 32 payload bytes: 36 bytes.
std::vector<uint8_t> DisplayPortInfoFramePacket(const InfoFrame& frame);
