// Packet files, their descriptions and findings, and the packet data of a playing order.
// Input: byte 0 bit 0 = HDMI, byte 1 = number of packets (at most 15), then that many
// 36-byte packet files, then the playing-order text.
#include <vector>

#include "fuzz_support.h"
#include "packets/packet_description.h"
#include "packets/packet_findings.h"
#include "upload/packets.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const bool hdmi = (data[0] & 1) != 0;
    const size_t count = data[1] & 15;
    size_t at = 2;
    PacketSet set;
    for (size_t i = 0; i < count && at + kPacketFileMinBytes <= size; ++i) {
        std::vector<uint8_t> layout;
        // Every length up to the whole file is a candidate packet, not only 36 bytes.
        const size_t length = i == 0 ? size - at : kPacketFileMinBytes;
        if (ParsePacket(data + at, length, hdmi, layout)) set.packets.push_back(layout);
        DescribePacket(data + at, length, hdmi);
        PacketFindings("f", data + at, length, hdmi, {{0, static_cast<uint16_t>(data[at])}});
        at += kPacketFileMinBytes;
    }
    set.steps = parsePlayingOrderText(FuzzText(data + at, size - at)).steps;
    std::vector<uint8_t> packetData;
    if (BuildPacketData(set, packetData) == PacketDataStatus::kOk &&
        packetData.size() % 1024 != 0) {
        __builtin_trap();
    }
    return 0;
}
