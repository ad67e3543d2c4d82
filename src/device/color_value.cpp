#include "device/color_value.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "files/text.h"
#include "format/color_format.h"
#include "scenario/numbers.h"

namespace {

uint32_t Clamp8(double value) {
    const double truncated = std::trunc(value);
    return static_cast<uint32_t>(std::clamp(truncated, 0.0, 255.0));
}

}  // namespace

bool ParseColorValue(const std::string& text, const std::string& colorSpace, uint64_t& value) {
    const std::vector<std::string> parts = SplitText(text.empty() ? "0,0,0" : text, ",");
    if (parts.size() != 3) return false;
    uint16_t c[3];
    for (size_t i = 0; i < 3; ++i) c[i] = static_cast<uint16_t>(parseLenientInteger(parts[i]));

    uint32_t word0 = 0;
    uint32_t word1 = 0;
    if (MentionsYuv(colorSpace)) {
        const double r = c[0], g = c[1], b = c[2];
        const uint32_t y = Clamp8(0.257 * r + 0.504 * g + 0.098 * b + 16);
        const uint32_t cr = Clamp8(0.439 * r - 0.368 * g - 0.071 * b + 128);
        const uint32_t cb = Clamp8(0.439 * b - (0.148 * r + 0.291 * g) + 128);
        word0 = (cr << 24) | (y << 8);
        word1 = cb << 8;
    } else {
        word0 = static_cast<uint32_t>(((static_cast<uint64_t>(c[0]) << 16) | c[1]) << 8);
        word1 = static_cast<uint32_t>(c[2]) << 8;
    }
    value = (static_cast<uint64_t>(word1) << 32) | word0;
    return true;
}
