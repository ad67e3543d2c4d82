#include "upload/low_bit_samples.h"

#include <algorithm>

SampleLayout SampleLayoutOf(ColorClass colorClass, uint32_t bpp) {
    const bool fullPixels = colorClass == ColorClass::kRgb || colorClass == ColorClass::kYuv444;
    if (fullPixels && bpp == 6) return SampleLayout::kSixBytePixels;
    // 3 bytes per pixel of 4:2:0 are its three planes of 16-bit samples.
    if (colorClass == ColorClass::kYuv420 && bpp == 3) return SampleLayout::kYuv420Words;
    return SampleLayout::kOther;
}

bool SamplesInLowBits(const uint8_t* data, size_t size, SampleLayout layout,
                      uint32_t bitsPerColor) {
    if (layout == SampleLayout::kOther || (bitsPerColor != 10 && bitsPerColor != 12)) return false;
    const size_t words = std::min(size, kLowBitSampleBytes) / 2;
    // Every sample is below a power of two exactly when all of them together are.
    unsigned all = 0;
    for (size_t i = 0; i < words; ++i) all |= data[2 * i] | data[2 * i + 1] << 8;
    return all != 0 && all < (1u << bitsPerColor);
}

std::string LowBitSamplesWarning(const std::string& file, uint32_t bitsPerColor) {
    const std::string bits = std::to_string(bitsPerColor);
    return file + ": every sample is below " +
           std::to_string(uint64_t{1} << std::min(bitsPerColor, 63u)) + ", so the " + bits +
           "-bit samples sit in the low bits; add a formats.cfg entry or align12=1.";
}
