// An 8-bit RGB picture, and the area-averaged thumbnails a contact sheet is made of.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgb;  // 3 bytes a pixel, line after line

    Picture() = default;
    Picture(uint32_t w, uint32_t h) : width(w), height(h), rgb(size_t{w} * h * 3) {}
    uint8_t* at(uint32_t x, uint32_t y) { return &rgb[(size_t{y} * width + x) * 3]; }
    const uint8_t* at(uint32_t x, uint32_t y) const { return &rgb[(size_t{y} * width + x) * 3]; }
};

// Pictures above this many pixels are not made (a 16K frame has 141 million).
inline constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 28;

// The picture scaled to `width` pixels wide, its height by the aspect ratio (at least 1);
// each pixel is the mean of the source pixels its area covers. Empty when that would
// pass kMaxPicturePixels.
Picture Thumbnail(const Picture& picture, uint32_t width);
// Gives line y of a picture, 3 bytes a pixel, valid until the next call.
using LineSource = std::function<const uint8_t*(uint32_t y)>;
// The same from a picture given line by line, which need not be held whole.
Picture Thumbnail(uint32_t sourceWidth, uint32_t sourceHeight, const LineSource& line,
                  uint32_t width);
// Copies `part` into `picture` with its top left corner at (x, y); cut at the edges.
void Place(Picture& picture, const Picture& part, uint32_t x, uint32_t y);
