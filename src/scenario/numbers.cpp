#include "scenario/numbers.h"

#include <limits>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Sign and magnitude of the leading number; false when there is no digit or the
// magnitude passes `limit`.
bool readMagnitude(std::string_view text, uint64_t limit, bool& negative, uint64_t& magnitude) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t first = i;
    magnitude = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (!overflow && magnitude > (limit - digit) / 10) overflow = true;
        magnitude = overflow ? limit : magnitude * 10 + digit;
    }
    return i > first && !overflow;
}

}  // namespace

bool parseUnsigned32(std::string_view text, uint32_t& value) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readMagnitude(text, std::numeric_limits<uint32_t>::max(), negative, magnitude))
        return false;
    value = static_cast<uint32_t>(negative ? (0 - magnitude) : magnitude);
    return true;
}

bool parseSigned32(std::string_view text, int32_t& value) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readMagnitude(text, 2147483648ULL, negative, magnitude)) return false;
    if (!negative && magnitude > 2147483647ULL) return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                     : static_cast<int32_t>(magnitude);
    return true;
}

bool parseUnsigned64(std::string_view text, uint64_t& value) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readMagnitude(text, std::numeric_limits<uint64_t>::max(), negative, magnitude))
        return false;
    value = negative ? (0 - magnitude) : magnitude;
    return true;
}

int64_t parseLenientInteger(std::string_view text) {
    bool negative = false;
    uint64_t magnitude = 0;
    if (!readMagnitude(text, std::numeric_limits<uint64_t>::max(), negative, magnitude)) {
        // No digit reads as 0; an overlong number saturates like strtol.
        if (magnitude == 0) return 0;
    }
    constexpr uint64_t kMax = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (magnitude > kMax)
        return negative ? std::numeric_limits<int64_t>::min() : static_cast<int64_t>(kMax);
    return negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
}
