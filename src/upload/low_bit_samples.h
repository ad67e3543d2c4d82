// Deep-colour frames whose 10- or 12-bit samples sit in the low bits of their 16-bit
// words while nothing shifts them up: the sink shows a near-black picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "upload/video.h"

// The frame layouts made of 16-bit samples.
enum class SampleLayout { kOther, kSixBytePixels, kYuv420Words };

// From the frame's colour class and the bytes per pixel it is sent with.
SampleLayout SampleLayoutOf(ColorClass colorClass, uint32_t bpp);

// How much of a frame is looked at.
inline constexpr size_t kLowBitSampleBytes = 1024 * 1024;

// Whether every 16-bit sample in the first kLowBitSampleBytes of an unshifted frame's bytes
// is below 2^bitsPerColor, for a 16-bit layout at 10 or 12 bits. A frame of zeros is not
// judged (false).
bool SamplesInLowBits(const uint8_t* data, size_t size, SampleLayout layout, uint32_t bitsPerColor);

// "<file>: every sample is below 1024, so the 10-bit samples sit in the low bits; ...".
std::string LowBitSamplesWarning(const std::string& file, uint32_t bitsPerColor);
