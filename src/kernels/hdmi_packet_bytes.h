// HDMI packets in the byte order the device takes, many at a time: a fixed permutation
// of the first 32 bytes of each packet file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reads `count` packets whose file bytes start `stride` bytes apart (at least 32
// readable bytes each) and writes their 32 device bytes one packet after another to `out`.
// Uses byte shuffles when the processor has them.
void WriteHdmiPacketBytes(const uint8_t* files, size_t stride, size_t count, uint8_t* out);

// The ways of doing it; the fastest this processor has is the one used above.
enum class HdmiPacketKernel { kPortable, kSsse3 };

// Those this processor can run, the portable one first.
std::vector<HdmiPacketKernel> AvailableHdmiPacketKernels();

void WriteHdmiPacketBytesWith(HdmiPacketKernel kernel, const uint8_t* files, size_t stride,
                              size_t count, uint8_t* out);
