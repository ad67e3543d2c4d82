// Test helpers for the audio and packet uploads: WAV files made in memory and a
// loader that records the messages it receives.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct WavSpec {
    uint16_t channels = 2;
    uint32_t rate = 48000;
    uint16_t bits = 16;
    uint16_t formatTag = 1;
    uint32_t fmtSize = 16;
    bool rifx = false;
    int32_t blockAlign = -1;  // -1: bits / 8 x channels
    int64_t dataSize = -1;    // -1: the sample bytes given
};

inline void PutNumber(std::vector<uint8_t>& out, uint64_t value, int bytes, bool big) {
    for (int i = 0; i < bytes; ++i) {
        const int shift = 8 * (big ? bytes - 1 - i : i);
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

inline void PutText(std::vector<uint8_t>& out, const char* id) {
    out.insert(out.end(), id, id + 4);
}

// A WAV file around `samples`, which are stored as given (already in the file's byte order).
inline std::vector<uint8_t> MakeWav(const WavSpec& wav, const std::vector<uint8_t>& samples) {
    std::vector<uint8_t> out;
    const bool big = wav.rifx;
    const uint32_t align =
        wav.blockAlign >= 0 ? static_cast<uint32_t>(wav.blockAlign) : wav.bits / 8 * wav.channels;
    PutText(out, big ? "RIFX" : "RIFF");
    PutNumber(out, 36 + samples.size(), 4, big);
    PutText(out, "WAVE");
    PutText(out, "fmt ");
    PutNumber(out, wav.fmtSize, 4, big);
    PutNumber(out, wav.formatTag, 2, big);
    PutNumber(out, wav.channels, 2, big);
    PutNumber(out, wav.rate, 4, big);
    PutNumber(out, uint64_t{wav.rate} * align, 4, big);
    PutNumber(out, align, 2, big);
    PutNumber(out, wav.bits, 2, big);
    for (uint32_t i = 16; i < wav.fmtSize; ++i) out.push_back(0xEE);
    PutText(out, "data");
    PutNumber(out, wav.dataSize >= 0 ? static_cast<uint64_t>(wav.dataSize) : samples.size(), 4,
              big);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

// The 32-bit little-endian word at word index `i`.
inline uint32_t WordAt(const std::vector<uint8_t>& data, size_t i) {
    return data[4 * i] | uint32_t{data[4 * i + 1]} << 8 | uint32_t{data[4 * i + 2]} << 16 |
           uint32_t{data[4 * i + 3]} << 24;
}
