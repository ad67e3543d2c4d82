#include "preview/frame_picture.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "format/ycbcr.h"
#include "upload/video.h"

namespace {

// Assumptions of this program, not facts from the device (docs/file-formats.md keeps
// the same table): which slot of a sent pixel holds which component.
//   RGB            slots 0, 1, 2 are R, G, B.
//   YUV 4:4:4      slots 0, 1, 2 are Cr, Y, Cb, the usual mapping of YCbCr onto the
//                  R, G, B channels of HDMI and DisplayPort; the upload's reorder makes
//                  them so from a file that holds Y, Cb, Cr (format/ycbcr.h).
//                  Limited range; BT.709 from 720 lines up, BT.601 below.
//   YUV 4:2:2/4:2:0  layout unknown: the first sample of each pixel, as grey.
// A slot is a byte, or a 16-bit little-endian word (shown by its top 8 bits) for pixels
// sent in 6 bytes, and for deep colour (more than 8 bits per colour, or a frame the
// upload shifts) of the grey classes where the pixel has room for a word.
enum class Reading { kRgb, kYcbcr, kGrey };

constexpr unsigned kRgbSlots[3] = {0, 1, 2};  // R, G, B; YCbCr: kYcbcrSentSlots

Reading ReadingOf(ColorClass colorClass) {
    switch (colorClass) {
        case ColorClass::kRgb:
            return Reading::kRgb;
        case ColorClass::kYuv444:
            return Reading::kYcbcr;
        default:
            return Reading::kGrey;
    }
}

bool HasWordSamples(const SentFrame& frame, Reading reading, uint32_t bitsPerColor) {
    const bool deep = bitsPerColor > 8 || frame.shift != 0;
    return frame.bpp == 6 || (reading == Reading::kGrey && deep && frame.bpp >= 2);
}

// Limited-range YCbCr to RGB in 16.16 fixed point, from the matrix's luma weights.
struct FixedMatrix {
    int32_t y, crToR, cbToG, crToG, cbToB;
};

int32_t Fixed(double value) {
    return static_cast<int32_t>(std::lround(value * 65536.0));
}

FixedMatrix MatrixOf(YcbcrMatrix matrix) {
    const auto [kr, kb] = WeightsOf(matrix);
    const double kg = 1.0 - kr - kb;
    const double chroma = 255.0 / kLimitedChromaSpan;
    return {Fixed(255.0 / kLimitedLumaSpan), Fixed(2.0 * (1.0 - kr) * chroma),
            Fixed(2.0 * kb * (1.0 - kb) / kg * chroma), Fixed(2.0 * kr * (1.0 - kr) / kg * chroma),
            Fixed(2.0 * (1.0 - kb) * chroma)};
}

const FixedMatrix kBt601 = MatrixOf(YcbcrMatrix::kBt601);
const FixedMatrix kBt709 = MatrixOf(YcbcrMatrix::kBt709);

constexpr int32_t kBlack = static_cast<int32_t>(kLimitedBlack);
constexpr int32_t kZero = static_cast<int32_t>(kChromaZero);

uint8_t Clamp(int64_t fixed) {
    return static_cast<uint8_t>(std::clamp<int64_t>((fixed + 32768) >> 16, 0, 255));
}

// A sample in 1/256 of an 8-bit level: a word keeps all its bits for the matrix, so that a
// deep YCbCr frame is not rounded down before it is turned into RGB.
template <bool Words>
int64_t Level(const uint8_t* pixel, unsigned slot) {
    if (Words) return pixel[2 * slot] | pixel[2 * slot + 1] << 8;
    return int64_t{pixel[slot]} << 8;
}

template <bool Words>
uint8_t Sample(const uint8_t* pixel, unsigned slot) {
    return Words ? pixel[2 * slot + 1] : pixel[slot];
}

template <bool Words, Reading R>
void DecodePixels(const uint8_t* src, uint32_t bpp, size_t pixels, const FixedMatrix& m,
                  uint8_t* rgb) {
    for (size_t i = 0; i < pixels; ++i, src += bpp, rgb += 3) {
        if constexpr (R == Reading::kGrey) {
            rgb[0] = rgb[1] = rgb[2] = Sample<Words>(src, 0);
        } else if constexpr (R == Reading::kRgb) {
            for (int c = 0; c < 3; ++c) rgb[c] = Sample<Words>(src, kRgbSlots[c]);
        } else {
            const int64_t y = m.y * (Level<Words>(src, kYcbcrSentSlots[0]) - kBlack * 256);
            const int64_t cb = Level<Words>(src, kYcbcrSentSlots[1]) - kZero * 256;
            const int64_t cr = Level<Words>(src, kYcbcrSentSlots[2]) - kZero * 256;
            rgb[0] = Clamp((y + m.crToR * cr) >> 8);
            rgb[1] = Clamp((y - m.cbToG * cb - m.crToG * cr) >> 8);
            rgb[2] = Clamp((y + m.cbToB * cb) >> 8);
        }
    }
}

template <bool Words>
void DecodeAs(Reading reading, const SentFrame& frame, const uint8_t* src, size_t pixels,
              uint8_t* rgb) {
    const FixedMatrix& matrix =
        DefaultMatrixOf(frame.height) == YcbcrMatrix::kBt709 ? kBt709 : kBt601;
    switch (reading) {
        case Reading::kRgb:
            return DecodePixels<Words, Reading::kRgb>(src, frame.bpp, pixels, matrix, rgb);
        case Reading::kYcbcr:
            return DecodePixels<Words, Reading::kYcbcr>(src, frame.bpp, pixels, matrix, rgb);
        case Reading::kGrey:
            return DecodePixels<Words, Reading::kGrey>(src, frame.bpp, pixels, matrix, rgb);
    }
}

// Lines [first, first + count) of the picture into `rgb`.
void DecodeLines(const SentFrame& frame, uint32_t bitsPerColor, uint32_t first, uint32_t count,
                 uint8_t* rgb) {
    const Reading reading = ReadingOf(frame.colorClass);
    const size_t pixels = size_t{count} * frame.width;
    const uint8_t* src = frame.data + size_t{first} * frame.width * frame.bpp;
    if (HasWordSamples(frame, reading, bitsPerColor)) {
        DecodeAs<true>(reading, frame, src, pixels, rgb);
    } else {
        DecodeAs<false>(reading, frame, src, pixels, rgb);
    }
}

bool IsWhole(const SentFrame& frame) {
    const uint64_t pixels = uint64_t{frame.width} * frame.height;
    return frame.bpp != 0 && pixels <= kMaxPicturePixels && pixels * frame.bpp <= frame.bytes;
}

}  // namespace

bool IsShownAsGrey(const SentFrame& frame) {
    return ReadingOf(frame.colorClass) == Reading::kGrey;
}

bool DecodeSentFrame(const SentFrame& frame, uint32_t bitsPerColor, Picture& picture) {
    if (!IsWhole(frame)) return false;
    try {
        // Resized rather than replaced, so one picture's memory serves frame after frame.
        picture.width = frame.width;
        picture.height = frame.height;
        picture.rgb.resize(size_t{frame.width} * frame.height * 3);
    } catch (const std::bad_alloc&) {
        return false;
    }
    DecodeLines(frame, bitsPerColor, 0, frame.height, picture.rgb.data());
    return true;
}

Picture SentFrameThumbnail(const SentFrame& frame, uint32_t bitsPerColor, uint32_t width) {
    if (!IsWhole(frame)) return {};
    std::vector<uint8_t> line(size_t{frame.width} * 3);
    const LineSource decoded = [&](uint32_t y) {
        DecodeLines(frame, bitsPerColor, y, 1, line.data());
        return line.data();
    };
    return Thumbnail(frame.width, frame.height, decoded, width);
}
