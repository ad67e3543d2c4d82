#include "packets/infoframe.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr size_t kHdmiChecksumByte = 3;
constexpr size_t kSdpVersionByte = 4;
constexpr size_t kSdpFirstDataByte = 6;

// PB<first> onwards from file byte `from`; what the file does not hold stays 0.
void CopyPayload(const uint8_t* data, size_t size, size_t from, size_t first, InfoFrame& frame) {
    for (size_t k = first; k <= infoframe::kMaxLength; ++k)
        frame.pb[k] = PacketByte(data, size, from++);
}

}  // namespace

InfoFrame ReadInfoFrame(const uint8_t* data, size_t size, bool hdmi) {
    InfoFrame frame;
    const uint8_t hb0 = PacketByte(data, size, 0);
    const uint8_t hb1 = PacketByte(data, size, 1);
    if (hdmi) {
        if (hb0 < infoframe::kFirstType) return frame;
        frame.type = hb0;
        frame.version = hb1;
        frame.length = PacketByte(data, size, 2) & infoframe::kLengthMask;
        CopyPayload(data, size, kHdmiChecksumByte, 0, frame);
    } else {
        const bool sdp = hb0 == 0 && hb1 >= infoframe::kFirstType &&
                         PacketByte(data, size, 3) == infoframe::kSdpInfoFrameHb3;
        if (!sdp) return frame;
        frame.type = hb1;
        frame.version = PacketByte(data, size, kSdpVersionByte);
        frame.length = PacketByte(data, size, kSdpVersionByte + 1);
        CopyPayload(data, size, kSdpFirstDataByte, 1, frame);
    }
    frame.present = true;
    return frame;
}

uint8_t InfoFrameChecksum(uint8_t hb0, uint8_t hb1, uint8_t hb2, const uint8_t* pb) {
    unsigned sum = hb0 + hb1 + hb2;
    const size_t count = std::min<size_t>(hb2 & infoframe::kLengthMask, infoframe::kMaxLength);
    for (size_t k = 0; k < count; ++k) sum += pb[k];
    return static_cast<uint8_t>(0x100 - (sum & 0xFF));
}

ColorSpace AviColorSpace(const InfoFrame& frame) {
    // The Y field's own order.
    static constexpr ColorSpace kSpaces[] = {ColorSpace::kRgb444, ColorSpace::kYuv422,
                                             ColorSpace::kYuv444, ColorSpace::kYuv420};
    return kSpaces[(frame.pb[1] >> 5) & 3];
}

std::string HexByteText(uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof(text), "0x%02X", value);
    return text;
}

std::string EotfText(uint8_t eotf) {
    switch (eotf) {
        case infoframe::kEotfSdr:
            return "SDR";
        case infoframe::kEotfHdr:
            return "HDR";
        case infoframe::kEotfSmpteSt2084:
            return "SMPTE ST 2084";
        case infoframe::kEotfHlg:
            return "HLG";
        default:
            return "EOTF " + std::to_string(eotf);
    }
}
