#include "upload/pixel_kernels.h"

#include <bit>
#include <cstring>

// Words are moved through native integers; frame files are little-endian.
static_assert(std::endian::native == std::endian::little, "kernels assume a little-endian host");

namespace {

inline uint32_t load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

inline void store32(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

inline uint16_t load16(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

inline void store16(uint8_t* p, uint16_t v) {
    std::memcpy(p, &v, 2);
}

}  // namespace

void WidenPixels3To4(const uint8_t* src, uint8_t* dst, size_t pixels) {
    if (pixels == 0) return;
    // A 4-byte load per pixel is safe up to the one before last.
    const size_t whole = pixels - 1;
    for (size_t p = 0; p < whole; ++p) store32(dst + 4 * p, load32(src + 3 * p) & 0x00FFFFFFu);
    const uint8_t* last = src + 3 * whole;
    uint8_t* out = dst + 4 * whole;
    out[0] = last[0];
    out[1] = last[1];
    out[2] = last[2];
    out[3] = 0;
}

void ReorderYuv444Bytes(uint8_t* data, size_t groups) {
    for (size_t g = 0; g < groups; ++g) {
        const uint32_t v = load32(data + 4 * g);
        // Little-endian: b0 is the low byte. (b0,b1,b2,b3) -> (b2,b0,b1,b3).
        store32(data + 4 * g, ((v >> 16) & 0xFFu) | ((v & 0xFFFFu) << 8) | (v & 0xFF000000u));
    }
}

void ReorderYuv444Words(uint8_t* data, size_t pixels) {
    for (size_t p = 0; p < pixels; ++p) {
        uint8_t* px = data + 6 * p;
        const uint16_t w0 = load16(px);
        const uint16_t w1 = load16(px + 2);
        const uint16_t w2 = load16(px + 4);
        store16(px, w2);
        store16(px + 2, w0);
        store16(px + 4, w1);
    }
}

void ShiftWordsLeft(uint8_t* data, size_t words, unsigned shift) {
    if (shift == 0) return;
    if (shift >= 16) {
        std::memset(data, 0, 2 * words);
        return;
    }
    for (size_t i = 0; i < words; ++i) {
        store16(data + 2 * i, static_cast<uint16_t>(load16(data + 2 * i) << shift));
    }
}
