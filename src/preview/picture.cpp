#include "preview/picture.h"

#include <algorithm>

namespace {

// The source pixels [first, last) that target pixel i of `target` covers, from
// `source`: at least one, so a picture smaller than its thumbnail is repeated.
struct Span {
    uint32_t first = 0;
    uint32_t last = 0;
};

std::vector<Span> Spans(uint32_t source, uint32_t target) {
    std::vector<Span> spans(target);
    for (uint32_t i = 0; i < target; ++i) {
        const auto first = static_cast<uint32_t>(uint64_t{i} * source / target);
        const auto last = static_cast<uint32_t>(uint64_t{i + 1} * source / target);
        spans[i] = {first, std::max(last, first + 1)};
    }
    return spans;
}

// Each source line of a thumbnail row is added to per-column sums in one pass, then the
// columns of each thumbnail pixel are added up. A sum stays within 32 bits: a thumbnail
// pixel covers at most some hundred thousand source pixels.
void AddBytes(const uint8_t* __restrict bytes, uint32_t* __restrict sums, size_t count) {
    size_t i = 0;
    // Inner loops of a fixed count: GCC vectorises those at -O2 (a third of the time).
    for (; i + 16 <= count; i += 16) {
        for (size_t j = 0; j < 16; ++j) sums[i + j] += bytes[i + j];
    }
    for (; i < count; ++i) sums[i] += bytes[i];
}

void AddLines(const LineSource& line, uint32_t width, Span rows, std::vector<uint32_t>& sums) {
    std::fill(sums.begin(), sums.end(), 0);
    for (uint32_t y = rows.first; y < rows.last; ++y) {
        AddBytes(line(y), sums.data(), size_t{width} * 3);
    }
}

void AverageRow(const std::vector<uint32_t>& sums, const std::vector<Span>& columns, uint32_t lines,
                uint8_t* out) {
    for (const Span& column : columns) {
        const uint32_t count = (column.last - column.first) * lines;
        for (size_t c = 0; c < 3; ++c) {
            uint32_t sum = 0;
            for (uint32_t x = column.first; x < column.last; ++x) sum += sums[3 * x + c];
            *out++ = static_cast<uint8_t>((sum + count / 2) / count);
        }
    }
}

}  // namespace

Picture Thumbnail(uint32_t sourceWidth, uint32_t sourceHeight, const LineSource& line,
                  uint32_t width) {
    if (sourceWidth == 0 || sourceHeight == 0 || width == 0) return {};
    const uint64_t scaled = (uint64_t{sourceHeight} * width + sourceWidth / 2) / sourceWidth;
    if (scaled * width > kMaxPicturePixels) return {};
    const auto height = static_cast<uint32_t>(std::max<uint64_t>(scaled, 1));
    Picture thumbnail(width, height);
    const std::vector<Span> columns = Spans(sourceWidth, width);
    const std::vector<Span> rows = Spans(sourceHeight, height);
    std::vector<uint32_t> sums(size_t{sourceWidth} * 3);
    for (uint32_t y = 0; y < height; ++y) {
        AddLines(line, sourceWidth, rows[y], sums);
        AverageRow(sums, columns, rows[y].last - rows[y].first, thumbnail.at(0, y));
    }
    return thumbnail;
}

Picture Thumbnail(const Picture& picture, uint32_t width) {
    const LineSource line = [&picture](uint32_t y) { return picture.at(0, y); };
    return Thumbnail(picture.width, picture.height, line, width);
}

void Place(Picture& picture, const Picture& part, uint32_t x, uint32_t y) {
    if (x >= picture.width || y >= picture.height) return;
    const uint32_t width = std::min(part.width, picture.width - x);
    const uint32_t height = std::min(part.height, picture.height - y);
    for (uint32_t row = 0; row < height; ++row) {
        std::copy_n(part.at(0, row), size_t{width} * 3, picture.at(x, y + row));
    }
}
