#include "frame_packing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr unsigned kRgbPositions[3] = {0, 1, 2};

// Where component c (R, G, B or Y, Cb, Cr) stands in a pixel of the file.
const unsigned* PositionsOf(SampleKind kind) {
    return kind == SampleKind::kRgb ? kRgbPositions : kYcbcrFileComponents;
}

uint32_t MaxOf(unsigned bits) {
    return (uint32_t{1} << bits) - 1;
}

// The word written for a sample at `bits`: 8-bit samples as they are, deeper ones in
// the high bits of 16.
uint16_t Placed(uint32_t sample, unsigned bits) {
    return static_cast<uint16_t>(bits == 8 ? sample : sample << (16 - bits));
}

template <unsigned Bpp>
void Store(uint8_t* pixel, unsigned position, uint16_t word) {
    if constexpr (Bpp == 3) {
        pixel[position] = static_cast<uint8_t>(word);
    } else {
        pixel[2 * position] = static_cast<uint8_t>(word);
        pixel[2 * position + 1] = static_cast<uint8_t>(word >> 8);
    }
}

// Same kind, depth changed through a table of every 16-bit value: a sample beyond the
// input's depth (a damaged file) is taken as its largest value, never read past the table.
template <unsigned Bpp>
void PackScaled(const FramePlanes& picture, const FrameLayout& layout, uint8_t* out) {
    std::vector<uint16_t> table(65536);
    const uint32_t max = MaxOf(picture.bits);
    for (uint32_t v = 0; v < table.size(); ++v) {
        table[v] = Placed(ScaleSample(std::min(v, max), picture.bits, layout.bits, layout.kind),
                          layout.bits);
    }
    const unsigned* positions = PositionsOf(layout.kind);
    const size_t pixels = picture.Pixels();
    const uint16_t* planes[3] = {picture.plane[0].data(), picture.plane[1].data(),
                                 picture.plane[2].data()};
    for (size_t i = 0; i < pixels; ++i, out += Bpp) {
        for (unsigned c = 0; c < 3; ++c) Store<Bpp>(out, positions[c], table[planes[c][i]]);
    }
}

struct Converter {
    LumaWeights w;
    double inScale, outScale;  // an input sample's full value, an output sample's
    unsigned outBits;

    uint32_t Quantized(double value) const {
        return static_cast<uint32_t>(std::clamp<int64_t>(std::llround(value), 0, MaxOf(outBits)));
    }

    // Full-range R, G, B to limited-range Y, Cb, Cr.
    void ToYcbcr(const double rgb[3], uint32_t out[3]) const {
        const double y = w.kr * rgb[0] + (1.0 - w.kr - w.kb) * rgb[1] + w.kb * rgb[2];
        const double pb = (rgb[2] - y) / (2.0 * (1.0 - w.kb));
        const double pr = (rgb[0] - y) / (2.0 * (1.0 - w.kr));
        out[0] = Quantized((kLimitedBlack + kLimitedLumaSpan * y) * outScale);
        out[1] = Quantized((kChromaZero + kLimitedChromaSpan * pb) * outScale);
        out[2] = Quantized((kChromaZero + kLimitedChromaSpan * pr) * outScale);
    }

    // Limited-range Y, Cb, Cr (in 8-bit units) to full-range R, G, B.
    void ToRgb(const double ycc[3], uint32_t out[3]) const {
        const double y = (ycc[0] - kLimitedBlack) / kLimitedLumaSpan;
        const double pb = (ycc[1] - kChromaZero) / kLimitedChromaSpan;
        const double pr = (ycc[2] - kChromaZero) / kLimitedChromaSpan;
        const double r = y + 2.0 * (1.0 - w.kr) * pr;
        const double b = y + 2.0 * (1.0 - w.kb) * pb;
        const double g = (y - w.kr * r - w.kb * b) / (1.0 - w.kr - w.kb);
        const double rgb[3] = {r, g, b};
        for (int c = 0; c < 3; ++c) out[c] = Quantized(std::clamp(rgb[c], 0.0, 1.0) * outScale);
    }
};

template <unsigned Bpp>
void PackConverted(const FramePlanes& picture, const FrameLayout& layout, YcbcrMatrix matrix,
                   uint8_t* out) {
    const bool toYcbcr = layout.kind == SampleKind::kYcbcr;
    // RGB in [0, 1]; YCbCr in 8-bit units. Out: YCbCr scales 8-bit units, RGB [0, 1].
    const Converter convert{
        WeightsOf(matrix), toYcbcr ? MaxOf(picture.bits) : std::ldexp(1.0, picture.bits - 8),
        toYcbcr ? std::ldexp(1.0, layout.bits - 8) : MaxOf(layout.bits), layout.bits};
    const unsigned* positions = PositionsOf(layout.kind);
    const size_t pixels = picture.Pixels();
    for (size_t i = 0; i < pixels; ++i, out += Bpp) {
        double in[3];
        for (int c = 0; c < 3; ++c) in[c] = picture.plane[c][i] / convert.inScale;
        uint32_t sample[3];
        if (toYcbcr) {
            convert.ToYcbcr(in, sample);
        } else {
            convert.ToRgb(in, sample);
        }
        for (unsigned c = 0; c < 3; ++c) {
            Store<Bpp>(out, positions[c], Placed(sample[c], layout.bits));
        }
    }
}

template <unsigned Bpp>
void Pack(const FramePlanes& picture, const FrameLayout& layout, YcbcrMatrix matrix, uint8_t* out) {
    if (picture.kind == layout.kind) return PackScaled<Bpp>(picture, layout, out);
    PackConverted<Bpp>(picture, layout, matrix, out);
}

}  // namespace

uint32_t ScaleSample(uint32_t value, unsigned from, unsigned to, SampleKind kind) {
    if (from == to) return value;
    if (kind == SampleKind::kRgb) {
        const uint64_t inMax = MaxOf(from);
        return static_cast<uint32_t>((uint64_t{value} * MaxOf(to) + inMax / 2) / inMax);
    }
    if (to > from) return value << (to - from);
    const unsigned drop = from - to;
    return std::min((value + (uint32_t{1} << (drop - 1))) >> drop, MaxOf(to));
}

void PackFrame(const FramePlanes& picture, const FrameLayout& layout, YcbcrMatrix matrix,
               std::vector<uint8_t>& bytes) {
    bytes.resize(picture.Pixels() * layout.BytesPerPixel());
    if (layout.BytesPerPixel() == 3) {
        Pack<3>(picture, layout, matrix, bytes.data());
    } else {
        Pack<6>(picture, layout, matrix, bytes.data());
    }
}
