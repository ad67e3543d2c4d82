// The built-in profile: one KVX-4 listed with its HDMI and its DisplayPort
// transmitter, and the EDID of a capable HDMI 2.1 sink that declares a Dolby VSVDB.
#include <cstdio>
#include <string>
#include <vector>

#include "profile.h"
#include "sim_control.h"

namespace hlxsim {
namespace {

// 1920x1080 at 60 Hz, 148.5 MHz.
const std::vector<uint8_t> kDtd1080p = {0x02, 0x3A, 0x80, 0x18, 0x71, 0x38, 0x2D, 0x40, 0x58,
                                        0x2C, 0x45, 0x00, 0xC4, 0x8E, 0x21, 0x00, 0x00, 0x1E};

void put(std::vector<uint8_t>& block, size_t offset, const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) block[offset + i] = bytes[i];
}

void seal(std::vector<uint8_t>& block) {
    uint8_t sum = 0;
    for (size_t i = 0; i < 127; ++i) sum = static_cast<uint8_t>(sum + block[i]);
    block[127] = static_cast<uint8_t>(0x100 - sum);
}

std::vector<uint8_t> baseBlock() {
    std::vector<uint8_t> block(128, 0);
    put(block, 0, {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00});
    put(block, 8,
        {0x4D, 0x2D, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00});  // maker "SIM", product, serial
    put(block, 16, {0x01, 0x21, 0x01, 0x03});               // week, year, version 1.3
    put(block, 20, {0x80, 0x50, 0x2D, 0x78, 0x0A});         // digital, 80x45 cm
    put(block, 25, {0xEE, 0x91, 0xA3, 0x54, 0x4C, 0x99, 0x26, 0x0F, 0x50, 0x54});  // chromaticity
    put(block, 35, {0x00, 0x00, 0x00});
    for (size_t i = 38; i < 54; ++i) block[i] = 0x01;  // no standard timings
    put(block, 54, kDtd1080p);
    put(block, 72,
        {0x00, 0x00, 0x00, 0xFC, 0x00, 'S', 'I', 'M', ' ', 'S', 'I', 'N', 'K', 0x0A, 0x20, 0x20,
         0x20, 0x20});
    put(block, 90,
        {0x00, 0x00, 0x00, 0xFD, 0x00, 0x18, 0x4B, 0x0F, 0x87, 0x3C, 0x00, 0x0A, 0x20, 0x20, 0x20,
         0x20, 0x20, 0x20});
    put(block, 108, {0x00, 0x00, 0x00, 0x10, 0x00});
    block[126] = 1;  // one extension
    seal(block);
    return block;
}

std::vector<uint8_t> ctaBlock() {
    // A capable HDMI 2.1 sink, so that a default run meets no limit of the sink.
    const std::vector<uint8_t> dataBlocks = {
        0x43, 0x10, 0x04, 0x03,                    // video: VICs 16, 4, 3
        0x23, 0x0F, 0x7F, 0x07,                    // audio: LPCM, 8 channels, 32-192 kHz
        0x67, 0x03, 0x0C, 0x00, 0x10, 0x00,        // HDMI vendor block, address 1.0.0.0,
        0x78, 0x44,                                // DC 48/36/30 bits and Y444, 340 MHz
        0x67, 0xD8, 0x5D, 0xC4, 0x01, 0x78,        // HDMI Forum block: 600 MHz,
        0x88, 0x07,                                // SCDC, scrambling at 340 MHz, DC 4:2:0
        0xE1, 0x0F,                                // 4:2:0 capability map: every VIC
        0xE3, 0x06, 0x0D, 0x01,                    // HDR static metadata: SDR, PQ, HLG
        0xEB, 0x01, 0x46, 0xD0, 0x00,              // Dolby VSVDB: extended tag 1, OUI
        0x44, 0x4F, 0x42, 0x49, 0x4E, 0x55, 0x4D,  // its payload
    };
    std::vector<uint8_t> block(128, 0);
    put(block, 0, {0x02, 0x03, static_cast<uint8_t>(4 + dataBlocks.size()), 0xF1});
    put(block, 4, dataBlocks);
    put(block, 4 + dataBlocks.size(), kDtd1080p);
    seal(block);
    return block;
}

std::string hexText(const std::vector<uint8_t>& bytes) {
    std::string text;
    char digits[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += digits;
    }
    return text;
}

std::string buildDefaultText() {
    return "; The built-in profile of the simulated generator.\n"
           "[device]\n"
           "name = KVX-4 [SIM0001] / HDMI TX\n"
           "flags = 16\n"
           "outputs = HDMI TX\n"
           "[device]\n"
           "name = KVX-4 [SIM0001] / DisplayPort TX\n"
           "flags = 16\n"
           "outputs = DisplayPort TX\n"
           "[generator]\n"
           "memory = 4294967296\n"
           "dp-lanes = 4\n"
           "dp-rate = 20\n"
           "info = KVX-4 firmware 1.0 (simulated)\n"
           "stop-delay = 0\n"
           "store = full\n"
           "edid-hex = " +
           hexText(DefaultEdid()) + "\n";
}

}  // namespace

std::vector<uint8_t> DefaultEdid() {
    std::vector<uint8_t> edid = baseBlock();
    std::vector<uint8_t> cta = ctaBlock();
    edid.insert(edid.end(), cta.begin(), cta.end());
    return edid;
}

const std::string& DefaultProfileText() {
    static const std::string text = buildDefaultText();
    return text;
}

}  // namespace hlxsim
