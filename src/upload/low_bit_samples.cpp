#include "upload/low_bit_samples.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "files/file_ptr.h"
#include "files/paths.h"

WordSampleLayout WordSampleLayoutOf(ColorClass colorClass, uint32_t bpp) {
    const bool fullPixels = colorClass == ColorClass::kRgb || colorClass == ColorClass::kYuv444;
    if (fullPixels && bpp == 6) return WordSampleLayout::kSixBytePixels;
    // 3 bytes per pixel of 4:2:0 are its three planes of 16-bit samples.
    if (colorClass == ColorClass::kYuv420 && bpp == 3) return WordSampleLayout::kYuv420Words;
    return WordSampleLayout::kOther;
}

bool SamplesInLowBits(const uint8_t* data, size_t size, WordSampleLayout layout,
                      uint32_t bitsPerColor) {
    if (layout == WordSampleLayout::kOther || (bitsPerColor != 10 && bitsPerColor != 12))
        return false;
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

std::string LowBitSamplesOf(const FramePlan& frame, uint32_t bitsPerColor) {
    const WordSampleLayout layout = WordSampleLayoutOf(frame.colorClass, frame.bpp);
    if (!frame.problem.empty() || frame.shift != 0 || layout == WordSampleLayout::kOther ||
        (bitsPerColor != 10 && bitsPerColor != 12)) {
        return {};
    }
    const size_t wanted = static_cast<size_t>(
        std::min<uint64_t>(static_cast<uint64_t>(frame.file.size), kLowBitSampleBytes));
    std::vector<uint8_t> bytes(wanted);
    const FilePtr file(openFile(frame.file.path, "rb"));
    if (!file || std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return {};
    if (!SamplesInLowBits(bytes.data(), bytes.size(), layout, bitsPerColor)) return {};
    return LowBitSamplesWarning(fileName(frame.file.path), bitsPerColor);
}
