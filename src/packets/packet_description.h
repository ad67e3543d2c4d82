// What a packet file holds, in one line: the InfoFrame (or SDP) it is and its main fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// "AVI InfoFrame v2, 13 bytes: YCbCr 4:2:2, ...", "HDMI packet type 0x02",
// "DisplayPort SDP type 0x07, version 0x01"; `hdmi` chooses the packet layout.
std::string DescribePacket(const uint8_t* data, size_t size, bool hdmi);

// "Packet <k> <file>: <description>." for the packet at position k of the sequence.
std::string PacketNote(size_t k, const std::string& file, const std::string& description);
