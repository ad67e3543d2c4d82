#include "kernels/pixel_kernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "kernels/page_buffer.h"

namespace {

std::vector<uint8_t> Counting(size_t bytes) {
    std::vector<uint8_t> data(bytes);
    for (size_t i = 0; i < bytes; ++i) data[i] = static_cast<uint8_t>(i * 37 + 11);
    return data;
}

// Sizes around the kernels' chunk widths (8 and 16 pixels, the wide loads reaching
// 10 pixels ahead), so both the chunked bodies and the tails run.
const size_t kPixelCounts[] = {0, 1, 2, 9, 10, 11, 15, 16, 17, 18, 31, 33, 100};

TEST(VideoKernels, WidenAppendsAZeroByteToEveryPixel) {
    for (size_t pixels : kPixelCounts) {
        const std::vector<uint8_t> src = Counting(3 * pixels);
        std::vector<uint8_t> dst(4 * pixels, 0xFF);
        WidenPixels3To4(src.data(), dst.data(), pixels);
        std::vector<uint8_t> expected;
        for (size_t p = 0; p < pixels; ++p) {
            expected.insert(expected.end(), {src[3 * p], src[3 * p + 1], src[3 * p + 2], 0});
        }
        EXPECT_EQ(dst, expected) << pixels << " pixels";
    }
}

TEST(VideoKernels, ReorderMovesTheThirdComponentFirst) {
    for (size_t pixels : kPixelCounts) {
        std::vector<uint8_t> bytes = Counting(4 * pixels);
        std::vector<uint8_t> expected = bytes;
        for (size_t p = 0; p < pixels; ++p) {
            const uint8_t* b = &bytes[4 * p];
            expected[4 * p] = b[2];
            expected[4 * p + 1] = b[0];
            expected[4 * p + 2] = b[1];
        }
        ReorderYuv444Bytes(bytes.data(), pixels);
        EXPECT_EQ(bytes, expected) << pixels << " pixels of 4 bytes";

        std::vector<uint8_t> words = Counting(6 * pixels);
        std::vector<uint8_t> wordsExpected(words.size());
        for (size_t p = 0; p < pixels; ++p) {
            const uint8_t* w = &words[6 * p];
            const uint8_t order[6] = {w[4], w[5], w[0], w[1], w[2], w[3]};
            std::copy(order, order + 6, wordsExpected.begin() + 6 * p);
        }
        ReorderYuv444Words(words.data(), pixels);
        EXPECT_EQ(words, wordsExpected) << pixels << " pixels of 6 bytes";
    }
}

TEST(VideoKernels, ShiftMovesLittleEndianWordsLeftAndDropsHighBits) {
    std::vector<uint8_t> data = {0xFF, 0x03, 0x01, 0x80, 0x34, 0x12, 0x77};
    ShiftWordsLeft(data.data(), 3, 6);
    // 0x03FF << 6 = 0xFFC0; 0x8001 << 6 = 0x0040; 0x1234 << 6 = 0x8D00; the odd byte stays.
    EXPECT_EQ(data, (std::vector<uint8_t>{0xC0, 0xFF, 0x40, 0x00, 0x00, 0x8D, 0x77}));
    for (size_t words : kPixelCounts) {
        std::vector<uint8_t> block = Counting(2 * words);
        std::vector<uint8_t> expected = block;
        for (size_t i = 0; i < words; ++i) {
            const uint16_t w = static_cast<uint16_t>((block[2 * i] | block[2 * i + 1] << 8) << 4);
            expected[2 * i] = static_cast<uint8_t>(w);
            expected[2 * i + 1] = static_cast<uint8_t>(w >> 8);
        }
        ShiftWordsLeft(block.data(), words, 4);
        EXPECT_EQ(block, expected) << words << " words";
        std::vector<uint8_t> unchanged = Counting(2 * words);
        ShiftWordsLeft(unchanged.data(), words, 0);
        EXPECT_EQ(unchanged, Counting(2 * words));
    }
}

// The one-pass conversion writes what a copy (or widening) and the in-place kernels
// write, whether its stores stream (aligned) or not (one byte off).
TEST(VideoKernels, ConvertPixelsMatchesCopyThenInPlaceSteps) {
    const PixelSteps cases[] = {{1, false, false, 6}, {3, true, false, 0}, {3, true, true, 6},
                                {3, false, true, 4},  {4, false, true, 6}, {4, false, false, 4},
                                {6, false, true, 6},  {6, false, true, 0}, {6, false, false, 16}};
    for (const PixelSteps& steps : cases) {
        for (const size_t pixels : {size_t{0}, size_t{7}, size_t{17}, size_t{100}, size_t{4099}}) {
            const std::vector<uint8_t> src = Counting(steps.bpp * pixels);
            std::vector<uint8_t> expected(OutputBpp(steps) * pixels);
            if (steps.widen) {
                WidenPixels3To4(src.data(), expected.data(), pixels);
            } else {
                expected = src;
            }
            if (steps.reorder && OutputBpp(steps) == 4) ReorderYuv444Bytes(expected.data(), pixels);
            if (steps.reorder && OutputBpp(steps) == 6) ReorderYuv444Words(expected.data(), pixels);
            ShiftWordsLeft(expected.data(), expected.size() / 2, steps.shift);
            PageBuffer out;
            ASSERT_TRUE(out.resize(expected.size() + 1));
            for (const size_t offset : {0, 1}) {
                ConvertPixels(src.data(), out.data() + offset, pixels, steps);
                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.data() + offset))
                    << steps.bpp << " Bpp, reorder " << steps.reorder << ", shift " << steps.shift
                    << ", " << pixels << " pixels, offset " << offset;
            }
        }
    }
}

}  // namespace
