// The device layout of HDMI packets, many at a time: a fixed permutation of the first
// 32 bytes of each packet file.
#pragma once

#include <cstddef>
#include <cstdint>

// Reads `count` packets whose file bytes start `stride` bytes apart (at least 32
// readable bytes each) and writes their 32-byte layouts one after another to `out`.
// Uses byte shuffles when the processor has them.
void LayoutHdmiPackets(const uint8_t* files, size_t stride, size_t count, uint8_t* out);

// The same without processor-specific instructions.
void LayoutHdmiPacketsPortable(const uint8_t* files, size_t stride, size_t count, uint8_t* out);
