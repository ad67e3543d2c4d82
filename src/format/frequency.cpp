#include "format/frequency.h"

#include <cstdio>

std::string MhzText(uint64_t hertz) {
    // Rounded to whole kilohertz, halves up; a saturated clock must not wrap.
    const uint64_t kilohertz = hertz / 1000 + (hertz % 1000 >= 500 ? 1 : 0);
    char text[32];
    std::snprintf(text, sizeof(text), "%llu.%03u",
                  static_cast<unsigned long long>(kilohertz / 1000),
                  static_cast<unsigned>(kilohertz % 1000));
    std::string shown = text;
    while (shown.back() == '0') shown.pop_back();
    if (shown.back() == '.') shown.pop_back();
    return shown;
}
