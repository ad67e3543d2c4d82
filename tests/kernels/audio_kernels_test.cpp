#include "kernels/audio_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "upload/audio_files.h"

namespace {

// The conversion written plainly, into a separate buffer.
std::vector<uint32_t> ReferenceWords(const std::vector<uint8_t>& in, uint32_t frames,
                                     const SampleLayout& l) {
    std::vector<uint32_t> words;
    size_t at = 0;
    for (uint32_t f = 0; f < frames; ++f) {
        for (uint32_t c = 0; c < l.channels; ++c) {
            uint64_t v = 0;
            for (uint32_t b = 0; b < l.bytesPerSample; ++b) {
                const uint64_t byte = in[at + (l.bigEndian ? l.bytesPerSample - 1 - b : b)];
                v |= byte << (8 * b);
            }
            at += l.bytesPerSample;
            words.push_back(static_cast<uint32_t>(v << 24 >> (8 * l.bytesPerSample)));
        }
        for (uint32_t c = l.channels; c < l.wordsPerRecord; ++c) words.push_back(0);
    }
    return words;
}

// In place, and from separate input (where the vector path runs).
TEST(AudioKernelsTest, ConversionMatchesAPlainOneForEveryLayout) {
    std::mt19937 random(7);
    for (const bool big : {false, true}) {
        for (uint32_t bytes = 1; bytes <= 4; ++bytes) {
            for (uint32_t channels = 1; channels <= 8; ++channels) {
                for (const uint32_t trailing : {0u, 4u}) {
                    const SampleLayout l{channels, bytes, AudioRecordWords(channels), big};
                    const uint32_t frames = 1000 + random() % 5000;
                    const size_t input = size_t{bytes} * channels * frames;
                    const size_t size = size_t{4} * l.wordsPerRecord * frames + trailing;
                    std::vector<uint8_t> in(input);
                    for (uint8_t& b : in) b = static_cast<uint8_t>(random());
                    std::vector<uint8_t> buffer(size, 0);
                    std::copy(in.begin(), in.end(), buffer.end() - input);
                    ASSERT_TRUE(
                        ConvertSamplesInPlace(buffer.data(), size, size - input, frames, l));
                    std::vector<uint8_t> separate(size);
                    ASSERT_TRUE(ConvertSamples(in.data(), separate.data(), frames, l));
                    const std::vector<uint32_t> expected = ReferenceWords(in, frames, l);
                    for (size_t i = 0; i < expected.size(); ++i) {
                        ASSERT_EQ(WordAt(buffer, i), expected[i])
                            << "word " << i << ", " << channels << " ch, " << bytes << " bytes";
                        ASSERT_EQ(WordAt(separate, i), expected[i]) << "word " << i;
                    }
                }
            }
        }
    }
}

TEST(AudioKernelsTest, RefusesInputThatItsRecordsWouldOverwriteOrThatLeavesTheBuffer) {
    const SampleLayout l{2, 2, 2, false};
    std::vector<uint8_t> buffer(8 * 10, 0);
    EXPECT_TRUE(ConvertSamplesInPlace(buffer.data(), buffer.size(), 40, 10, l));
    EXPECT_FALSE(ConvertSamplesInPlace(buffer.data(), buffer.size(), 39, 10, l));
    EXPECT_FALSE(ConvertSamplesInPlace(buffer.data(), buffer.size(), 41, 10, l));
    EXPECT_FALSE(ConvertSamplesInPlace(buffer.data(), buffer.size(), 40, 11, l));
    EXPECT_FALSE(ConvertSamplesInPlace(buffer.data(), buffer.size(), 40, 10, {3, 2, 2, false}));
}

TEST(AudioKernelsTest, SwapsAndReversesWholeUnitsOnly) {
    std::vector<uint8_t> data{1, 2, 3, 4, 5};
    SwapBytePairs(data.data(), data.size());
    EXPECT_EQ(data, (std::vector<uint8_t>{2, 1, 4, 3, 5}));
    data = {1, 2, 3, 4, 5, 6, 7};
    ReverseSampleBytes(data.data(), data.size(), 3);
    EXPECT_EQ(data, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4, 7}));
}

// Lengths around the 48-byte blocks of the vector path, each with a partial sample.
TEST(AudioKernelsTest, ReversalMatchesAPlainOneAtEveryLength) {
    for (const uint32_t bytes : {2u, 3u, 4u}) {
        for (size_t size = 0; size <= 200; ++size) {
            std::vector<uint8_t> data(size);
            for (size_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i * 11 + 1);
            std::vector<uint8_t> expected = data;
            for (size_t i = 0; i + bytes <= size; i += bytes) {
                std::reverse(expected.begin() + i, expected.begin() + i + bytes);
            }
            ReverseSampleBytes(data.data(), data.size(), bytes);
            ASSERT_EQ(data, expected) << size << " bytes of " << bytes << "-byte samples";
        }
    }
}

}  // namespace
