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
