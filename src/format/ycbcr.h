// How this program carries YCbCr: where Y, Cb and Cr stand in a YUV 4:4:4 frame and in
// the pixel sent, the limited range, and the matrices between YCbCr and RGB. The preview
// reads frames by it and tavrel-content writes them by it, so both agree by construction.
// The component order is this repository's assumption, not a fact from the device.
#pragma once

#include <cstdint>

// Which slot of a sent YUV 4:4:4 pixel holds Y, Cb and Cr: the usual mapping of YCbCr
// onto the R, G, B channels of HDMI and DisplayPort (Cr, Y, Cb).
inline constexpr unsigned kYcbcrSentSlots[3] = {1, 2, 0};

// The upload's reorder sends file component c in slot (c + 1) % 3: (b0, b1, b2) become
// (b2, b0, b1), and words alike.
constexpr unsigned FileComponentOfSentSlot(unsigned slot) {
    return (slot + 2) % 3;
}

// So a frame file holds Y, Cb and Cr as these components: 0, 1, 2.
inline constexpr unsigned kYcbcrFileComponents[3] = {FileComponentOfSentSlot(kYcbcrSentSlots[0]),
                                                     FileComponentOfSentSlot(kYcbcrSentSlots[1]),
                                                     FileComponentOfSentSlot(kYcbcrSentSlots[2])};

// Limited range at 8 bits; deeper samples scale by 2^(bits - 8).
inline constexpr double kLimitedBlack = 16.0;
inline constexpr double kLimitedLumaSpan = 219.0;
inline constexpr double kChromaZero = 128.0;
inline constexpr double kLimitedChromaSpan = 224.0;

enum class YcbcrMatrix : uint8_t { kBt601, kBt709, kBt2020 };

// The luma weights of R and B (G's is the rest); BT.2020 is its non-constant luminance form.
struct LumaWeights {
    double kr;
    double kb;
};

constexpr LumaWeights WeightsOf(YcbcrMatrix matrix) {
    switch (matrix) {
        case YcbcrMatrix::kBt601:
            return {0.299, 0.114};
        case YcbcrMatrix::kBt709:
            return {0.2126, 0.0722};
        case YcbcrMatrix::kBt2020:
            return {0.2627, 0.0593};
    }
    return {0.299, 0.114};
}

// Frames carry no matrix: BT.709 from 720 lines up (HD), BT.601 below.
inline constexpr uint32_t kBt709FromLines = 720;
constexpr YcbcrMatrix DefaultMatrixOf(uint32_t lines) {
    return lines >= kBt709FromLines ? YcbcrMatrix::kBt709 : YcbcrMatrix::kBt601;
}
