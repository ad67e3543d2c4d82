#include "upload/low_bit_samples.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// `words` little-endian samples of `value`, then `last` (when not 0) as one more.
std::vector<uint8_t> Samples(size_t words, uint16_t value, uint16_t last = 0) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < words; ++i)
        bytes.insert(bytes.end(), {uint8_t(value), uint8_t(value >> 8)});
    if (last != 0) bytes.insert(bytes.end(), {uint8_t(last), uint8_t(last >> 8)});
    return bytes;
}

}  // namespace

TEST(LowBitSamples, JudgedOnTheFirstMegabyteOfSixteenBitLayouts) {
    const WordSampleLayout six = WordSampleLayout::kSixBytePixels;
    const std::tuple<std::vector<uint8_t>, WordSampleLayout, uint32_t, bool> rows[] = {
        {Samples(6, 1023), six, 10, true},
        {Samples(6, 1023, 1024), six, 10, false},
        {Samples(6, 4095), WordSampleLayout::kYuv420Words, 12, true},
        {Samples(6, 0), six, 10, false},  // black is not judged
        {Samples(6, 1023), WordSampleLayout::kOther, 10, false},
        {Samples(6, 200), six, 8, false},
        {Samples(kLowBitSampleBytes / 2, 64, 0xFFC0), six, 10, true},  // past the megabyte
    };
    for (const auto& [bytes, layout, bits, low] : rows) {
        EXPECT_EQ(SamplesInLowBits(bytes.data(), bytes.size(), layout, bits), low) << bytes.size();
    }
    EXPECT_EQ(WordSampleLayoutOf(ColorClass::kYuv422, 6), WordSampleLayout::kOther);
}
