// InfoFrames as packet files: the HDMI packet (header, checksum, data) and the
// DisplayPort InfoFrame SDP (header, then version, length and data).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "packets/infoframe.h"

// One InfoFrame: its type code (2 AVI, 4 audio, 7 DRM, 1 vendor-specific), version, and
// its data bytes PB1 onwards (their count is the length).
// The type code of an InfoFrame packet type (HB0), as InfoFrameToWrite keeps it.
constexpr uint8_t TypeCodeOf(uint8_t packetType) {
    return static_cast<uint8_t>(packetType - infoframe::kFirstType);
}

struct InfoFrameToWrite {
    uint8_t type = 0;
    uint8_t version = 0;
    std::vector<uint8_t> data;
};

// HB0 = 0x80 + type, HB1 = version, HB2 = length, PB0 = checksum (all 31 bytes sum to 0
// modulo 256), then the data, padded with zeros to 31 bytes.
std::vector<uint8_t> HdmiInfoFramePacket(const InfoFrameToWrite& frame);
// HB0 = 0, HB1 = 0x80 + type, HB2 = 0x1D, HB3 = SDP version 0x13 << 2, then the version,
// the length and the data, padded with zeros to 32 payload bytes: 36 bytes.
std::vector<uint8_t> DisplayPortInfoFramePacket(const InfoFrameToWrite& frame);
