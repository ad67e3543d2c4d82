// InfoFrames as packet files hold them: their type codes, the vendors' OUIs, the EOTF
// codes, and where a file keeps header, checksum and payload on HDMI and DisplayPort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "format/color_format.h"

namespace infoframe {

// HDMI packet types (HB0); 0x80 and above are InfoFrames.
inline constexpr uint8_t kFirstType = 0x80;
inline constexpr uint8_t kVendorSpecific = 0x81;
inline constexpr uint8_t kAvi = 0x82;
inline constexpr uint8_t kSourceProductDescription = 0x83;
inline constexpr uint8_t kAudio = 0x84;
inline constexpr uint8_t kMpegSource = 0x85;
inline constexpr uint8_t kNtscVbi = 0x86;
inline constexpr uint8_t kDynamicRangeMastering = 0x87;

// IEEE OUIs as numbers; InfoFrames (PB1-PB3) and EDID blocks store them least
// significant byte first.
inline constexpr uint32_t kHdmiOui = 0x000C03;
inline constexpr uint32_t kHdmiForumOui = 0xC45DD8;
inline constexpr uint32_t kDolbyOui = 0x00D046;

// EOTF codes of the Dynamic Range and Mastering InfoFrame; the HDR Static Metadata Data
// Block of an EDID declares EOTF n in bit n.
inline constexpr uint8_t kEotfSdr = 0;
inline constexpr uint8_t kEotfHdr = 1;
inline constexpr uint8_t kEotfSmpteSt2084 = 2;
inline constexpr uint8_t kEotfHlg = 3;

// HB2 bits 0-4 give the length; an HDMI packet body holds the checksum and 27 bytes.
inline constexpr uint8_t kLengthMask = 0x1F;
inline constexpr uint32_t kMaxLength = 27;

// A DisplayPort InfoFrame SDP: HB0 0, HB1 the InfoFrame type, HB3 SDP version 0x13 in
// bits 2-7; its payload begins with the version and the length.
inline constexpr uint8_t kSdpInfoFrameHb3 = 0x13 << 2;

}  // namespace infoframe

// Byte `at` of a packet file of `size` bytes; 0 past its end, as the upload pads it.
inline uint8_t PacketByte(const uint8_t* data, size_t size, size_t at) {
    return at < size ? data[at] : 0;
}

// An InfoFrame read from a packet file's bytes. HDMI: HB0-HB2 in bytes 0-2, the checksum
// (PB0) in byte 3, PB1 onwards from byte 4. DisplayPort InfoFrame SDP: version and length
// in bytes 4 and 5, PB1 onwards from byte 6, no checksum.
struct InfoFrame {
    bool present = false;  // the bytes hold an InfoFrame
    uint8_t type = 0;
    uint8_t version = 0;
    uint8_t length = 0;
    // pb[k] is PBk, 0 past the file's end; pb[0] is the checksum (0 on DisplayPort).
    uint8_t pb[infoframe::kMaxLength + 1] = {};

    // PB1-PB3 as an OUI.
    uint32_t Oui() const { return pb[1] | pb[2] << 8 | uint32_t{pb[3]} << 16; }
};

InfoFrame ReadInfoFrame(const uint8_t* data, size_t size, bool hdmi);

// The PB0 that makes HB0-HB2, PB0 and PB1 to PB<length> sum to 0 modulo 256, the length
// being HB2 bits 0-4 (at most 27 counted); `pb` holds PB1 onwards.
uint8_t InfoFrameChecksum(uint8_t hb0, uint8_t hb1, uint8_t hb2, const uint8_t* pb);

// The colour space the AVI InfoFrame's Y field (PB1 bits 5-6) announces.
ColorSpace AviColorSpace(const InfoFrame& frame);

// The EOTF a Dynamic Range and Mastering InfoFrame asks for (PB1 bits 0-2).
inline uint8_t MasteringEotf(const InfoFrame& frame) {
    return frame.pb[1] & 7;
}

// "0xNN", upper-case, as the packet texts show a byte.
std::string HexByteText(uint8_t value);

// "SDR", "HDR", "SMPTE ST 2084", "HLG", or "EOTF <n>" for another code.
std::string EotfText(uint8_t eotf);
