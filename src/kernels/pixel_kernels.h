// Pixel conversions applied to frames before upload. Each runs in one pass over
// raw bytes (no alignment assumed) and is usable on its own by the benchmarks.
#pragma once

#include <cstddef>
#include <cstdint>

// 3 bytes per pixel -> 4: pixel p becomes src[3p], src[3p+1], src[3p+2], 0.
// `dst` holds 4 x pixels bytes and must not overlap `src`.
void WidenPixels3To4(const uint8_t* src, uint8_t* dst, size_t pixels);
// In place, per 4-byte group: (b0, b1, b2, b3) -> (b2, b0, b1, b3).
void ReorderYuv444Bytes(uint8_t* data, size_t groups);
// In place, per 6-byte pixel of three 16-bit words: (w0, w1, w2) -> (w2, w0, w1).
void ReorderYuv444Words(uint8_t* data, size_t pixels);
// In place: every little-endian 16-bit word shifted left, high bits dropped.
void ShiftWordsLeft(uint8_t* data, size_t words, unsigned shift);

// What happens to a frame's pixels between the file and the device, in this order.
struct PixelSteps {
    uint32_t bpp = 0;      // bytes per pixel in the file
    bool widen = false;    // 3 bytes -> 4, as WidenPixels3To4 (bpp 3 only)
    bool reorder = false;  // ReorderYuv444Bytes of 4-byte pixels, ReorderYuv444Words of 6-byte ones
    unsigned shift = 0;    // then ShiftWordsLeft of every whole word written
};

// Bytes per pixel that ConvertPixels writes.
uint32_t OutputBpp(const PixelSteps& steps);

// Converts `pixels` pixels from `src` into `dst` (not overlapping) in one pass: the
// same bytes as a copy (or widening) followed by the in-place kernels. Where the
// processor allows, the stores bypass its caches: a frame is sent as a whole, long
// after its first bytes were written, so caching them only evicts the file's bytes.
void ConvertPixels(const uint8_t* src, uint8_t* dst, size_t pixels, const PixelSteps& steps);
