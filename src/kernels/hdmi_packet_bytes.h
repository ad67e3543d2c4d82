// The device layout of HDMI packets, many at a time: a fixed permutation of the first
// 32 bytes of each packet file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads `count` packets whose file bytes start `stride` bytes apart (at least 32
// readable bytes each) and writes their 32-byte layouts one after another to `out`.
// Uses byte shuffles when the processor has them.
void LayoutHdmiPackets(const uint8_t* files, size_t stride, size_t count, uint8_t* out);

// The ways of doing it; the fastest this processor has is the one used above.
enum class HdmiLayoutKernel { kPortable, kSsse3 };

// Those this processor can run, the portable one first.
std::vector<HdmiLayoutKernel> AvailableHdmiLayoutKernels();

void LayoutHdmiPacketsWith(HdmiLayoutKernel kernel, const uint8_t* files, size_t stride,
                           size_t count, uint8_t* out);
