#include "infoframe.h"

#include <algorithm>

#include "upload/packets.h"

namespace {

constexpr uint8_t kTypeFlag = 0x80;
// The InfoFrame SDP: payload data length code 0x1D, SDP version 0x13 in bits 7:2.
constexpr uint8_t kSdpLengthCode = 0x1D;
constexpr uint8_t kSdpVersion = 0x13;
constexpr size_t kSdpPayloadBytes = 2 * kDpPayloadUnit;

size_t DataBytes(const InfoFrame& frame) {
    return std::min(frame.data.size(), kMaxInfoFrameData);
}

}  // namespace

std::vector<uint8_t> HdmiInfoFramePacket(const InfoFrame& frame) {
    std::vector<uint8_t> packet(kHdmiPacketFileBytes, 0);
    const size_t length = DataBytes(frame);
    packet[0] = static_cast<uint8_t>(kTypeFlag + frame.type);
    packet[1] = frame.version;
    packet[2] = static_cast<uint8_t>(length);
    std::copy_n(frame.data.begin(), length, packet.begin() + 4);
    uint8_t sum = 0;
    for (uint8_t byte : packet) sum = static_cast<uint8_t>(sum + byte);
    packet[3] = static_cast<uint8_t>(0x100 - sum);
    return packet;
}

std::vector<uint8_t> DisplayPortInfoFramePacket(const InfoFrame& frame) {
    std::vector<uint8_t> packet(kDpHeaderBytes + kSdpPayloadBytes, 0);
    const size_t length = DataBytes(frame);
    packet[1] = static_cast<uint8_t>(kTypeFlag + frame.type);
    packet[2] = kSdpLengthCode;
    packet[3] = static_cast<uint8_t>(kSdpVersion << 2);
    packet[4] = frame.version;
    packet[5] = static_cast<uint8_t>(length);
    std::copy_n(frame.data.begin(), length, packet.begin() + 6);
    return packet;
}
