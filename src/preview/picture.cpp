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

// Sums of one row of thumbnail pixels over their source areas. A sum stays within 32
// bits: a thumbnail pixel covers at most a few hundred thousand source pixels.
void SumRow(const Picture& picture, const std::vector<Span>& columns, Span rows,
            std::vector<uint32_t>& sums) {
    std::fill(sums.begin(), sums.end(), 0);
    for (uint32_t y = rows.first; y < rows.last; ++y) {
        uint32_t* sum = sums.data();
        for (const Span& column : columns) {
            const uint8_t* pixel = picture.at(column.first, y);
            for (uint32_t x = column.first; x < column.last; ++x, pixel += 3) {
                sum[0] += pixel[0];
                sum[1] += pixel[1];
                sum[2] += pixel[2];
            }
            sum += 3;
        }
    }
}

}  // namespace

Picture Thumbnail(const Picture& picture, uint32_t width) {
    if (picture.width == 0 || picture.height == 0 || width == 0) return {};
    const uint64_t scaled = (uint64_t{picture.height} * width + picture.width / 2) / picture.width;
    if (scaled * width > kMaxPicturePixels) return {};
    const auto height = static_cast<uint32_t>(std::max<uint64_t>(scaled, 1));
    Picture thumbnail(width, height);
    const std::vector<Span> columns = Spans(picture.width, width);
    const std::vector<Span> rows = Spans(picture.height, height);
    std::vector<uint32_t> sums(size_t{width} * 3);
    for (uint32_t y = 0; y < height; ++y) {
        SumRow(picture, columns, rows[y], sums);
        uint8_t* out = thumbnail.at(0, y);
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t count =
                (columns[x].last - columns[x].first) * (rows[y].last - rows[y].first);
            for (int c = 0; c < 3; ++c)
                *out++ = static_cast<uint8_t>((sums[3 * x + c] + count / 2) / count);
        }
    }
    return thumbnail;
}

void Place(Picture& picture, const Picture& part, uint32_t x, uint32_t y) {
    if (x >= picture.width || y >= picture.height) return;
    const uint32_t width = std::min(part.width, picture.width - x);
    const uint32_t height = std::min(part.height, picture.height - y);
    for (uint32_t row = 0; row < height; ++row) {
        std::copy_n(part.at(0, row), size_t{width} * 3, picture.at(x, y + row));
    }
}
