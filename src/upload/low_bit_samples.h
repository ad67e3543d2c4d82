// Deep-colour frames whose 10- or 12-bit samples sit in the low bits of their 16-bit
// words while nothing shifts them up: the sink shows a near-black picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "upload/frame_plan.h"

// The frame layouts made of 16-bit samples.
enum class WordSampleLayout { kOther, kSixBytePixels, kYuv420Words };

// From the frame's colour class and the bytes per pixel it is sent with.
WordSampleLayout WordSampleLayoutOf(ColorClass colorClass, uint32_t bpp);

// How much of a frame is looked at.
inline constexpr size_t kLowBitSampleBytes = 1024 * 1024;

// Whether every 16-bit sample in the first kLowBitSampleBytes of an unshifted frame's bytes
// is below 2^bitsPerColor, for a 16-bit layout at 10 or 12 bits. A frame of zeros is not
// judged (false).
bool SamplesInLowBits(const uint8_t* data, size_t size, WordSampleLayout layout,
                      uint32_t bitsPerColor);

// "<file>: every sample is below 1024, so the 10-bit samples sit in the low bits; ...".
std::string LowBitSamplesWarning(const std::string& file, uint32_t bitsPerColor);

// The warning for the frame the plan sends, when its samples sit in the low bits: an
// unshifted frame of 16-bit samples at 10 or 12 bits, judged by its file's first
// kLowBitSampleBytes. Empty otherwise, or when the file cannot be read.
std::string LowBitSamplesOf(const FramePlan& frame, uint32_t bitsPerColor);
