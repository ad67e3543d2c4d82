#include "infoframe.h"

#include <algorithm>

#include "packets/infoframe.h"
#include "upload/packets.h"

namespace {

// The InfoFrame SDP's payload data length code.
constexpr uint8_t kSdpLengthCode = 0x1D;
constexpr size_t kSdpPayloadBytes = 2 * kDpPayloadUnit;

size_t DataBytes(const InfoFrameToWrite& frame) {
    return std::min<size_t>(frame.data.size(), infoframe::kMaxLength);
}

}  // namespace

std::vector<uint8_t> HdmiInfoFramePacket(const InfoFrameToWrite& frame) {
    std::vector<uint8_t> packet(kHdmiPacketFileBytes, 0);
    const size_t length = DataBytes(frame);
    packet[0] = static_cast<uint8_t>(infoframe::kFirstType + frame.type);
    packet[1] = frame.version;
    packet[2] = static_cast<uint8_t>(length);
    std::copy_n(frame.data.begin(), length, packet.begin() + 4);
    packet[3] = InfoFrameChecksum(packet[0], packet[1], packet[2], packet.data() + 4);
    return packet;
}

std::vector<uint8_t> DisplayPortInfoFramePacket(const InfoFrameToWrite& frame) {
    std::vector<uint8_t> packet(kDpHeaderBytes + kSdpPayloadBytes, 0);
    const size_t length = DataBytes(frame);
    packet[1] = static_cast<uint8_t>(infoframe::kFirstType + frame.type);
    packet[2] = kSdpLengthCode;
    packet[3] = infoframe::kSdpInfoFrameHb3;
    packet[4] = frame.version;
    packet[5] = static_cast<uint8_t>(length);
    std::copy_n(frame.data.begin(), length, packet.begin() + 6);
    return packet;
}
