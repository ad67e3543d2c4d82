// Frame files from pictures: the colour conversion, the depth change and the packed
// layout the program reads (3 bytes a pixel at 8 bits, otherwise three 16-bit
// little-endian words with the samples in the high bits).
#pragma once

#include <cstdint>
#include <vector>

#include "format/ycbcr.h"
#include "frame_planes.h"

struct FrameLayout {
    SampleKind kind = SampleKind::kRgb;
    unsigned bits = 8;  // 8, 10, 12 or 16

    uint32_t BytesPerPixel() const { return bits == 8 ? 3 : 6; }
};

// The frame file's bytes for the picture: R, G, B, or Y, Cb, Cr in the order the
// preview reads them (format/ycbcr.h). Between RGB and YCbCr by `matrix`, limited range.
void PackFrame(const FramePlanes& picture, const FrameLayout& layout, YcbcrMatrix matrix,
               std::vector<uint8_t>& bytes);

// One sample from `from` bits to `to` bits: RGB full range as v x (2^to - 1) / (2^from - 1),
// YCbCr limited range shifted (rounded when it loses bits), as CTA-861 scales it.
uint32_t ScaleSample(uint32_t value, unsigned from, unsigned to, SampleKind kind);
