// A picture as tavrel-content reads it: three planes of samples of one depth, either
// full-range R, G, B or limited-range Y, Cb, Cr.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class SampleKind : uint8_t { kRgb, kYcbcr };

struct FramePlanes {
    uint32_t width = 0;
    uint32_t height = 0;
    unsigned bits = 8;  // 8 to 16; samples in the low bits
    SampleKind kind = SampleKind::kRgb;
    std::vector<uint16_t> plane[3];  // R, G, B or Y, Cb, Cr; width x height each

    size_t Pixels() const { return size_t{width} * height; }
};

// Pictures larger than this are refused before their memory is taken (16384 x 16384).
inline constexpr uint64_t kMaxFramePixels = uint64_t{1} << 28;
