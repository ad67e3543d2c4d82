#include "cta_timing.h"

#include <cmath>
#include <cstdio>

#include "values.h"

namespace {

// Blanking of one direction: front porch, sync, back porch.
struct Blanking {
    uint32_t front, sync, back;
};

struct CtaFormat {
    uint32_t width, height;
    uint32_t hertz;        // the nominal rate
    bool alsoThousandths;  // also at hertz x 1000/1001 (23.98, 29.97, 59.94)
    Blanking h, v;
};

// From the CTA-861 table of video formats (VIC 1 to 4, 16 to 19, 31 to 34, 93 to 102).
constexpr Blanking kV480{9, 6, 30}, kV576{5, 5, 39}, kV720{5, 5, 20}, kV1080{4, 5, 36},
    kV2160{8, 10, 72};
constexpr CtaFormat kFormats[] = {
    {640, 480, 60, true, {16, 96, 48}, {10, 2, 33}},
    {720, 480, 60, true, {16, 62, 60}, kV480},
    {720, 576, 50, false, {12, 64, 68}, kV576},
    {1280, 720, 50, false, {440, 40, 220}, kV720},
    {1280, 720, 60, true, {110, 40, 220}, kV720},
    {1920, 1080, 24, true, {638, 44, 148}, kV1080},
    {1920, 1080, 25, false, {528, 44, 148}, kV1080},
    {1920, 1080, 30, true, {88, 44, 148}, kV1080},
    {1920, 1080, 50, false, {528, 44, 148}, kV1080},
    {1920, 1080, 60, true, {88, 44, 148}, kV1080},
    {3840, 2160, 24, true, {1276, 88, 296}, kV2160},
    {3840, 2160, 25, false, {1056, 88, 296}, kV2160},
    {3840, 2160, 30, true, {176, 88, 296}, kV2160},
    {3840, 2160, 50, false, {1056, 88, 296}, kV2160},
    {3840, 2160, 60, true, {176, 88, 296}, kV2160},
    {4096, 2160, 24, false, {1020, 88, 296}, kV2160},
    {4096, 2160, 25, false, {968, 88, 128}, kV2160},
    {4096, 2160, 30, false, {88, 88, 128}, kV2160},
    {4096, 2160, 50, false, {968, 88, 128}, kV2160},
    {4096, 2160, 60, false, {88, 88, 128}, kV2160},
};

// A rate matches a nominal one within this many thousandths of a hertz, so that 23.98
// names 24000/1001 (23.976...).
constexpr double kRateToleranceMilli = 5.0;

double Millihertz(const FrameRate& rate) {
    return 1000.0 * static_cast<double>(rate.numerator) / static_cast<double>(rate.denominator);
}

bool Matches(const FrameRate& rate, uint64_t numerator, uint64_t denominator) {
    return std::fabs(Millihertz(rate) - Millihertz({numerator, denominator})) <=
           kRateToleranceMilli;
}

// The format's exact rate that `rate` names, if any.
bool RateOf(const CtaFormat& format, const FrameRate& rate, FrameRate& exact) {
    if (Matches(rate, format.hertz, 1)) {
        exact = {format.hertz, 1};
        return true;
    }
    if (format.alsoThousandths && Matches(rate, format.hertz * 1000ull, 1001)) {
        exact = {format.hertz * 1000ull, 1001};
        return true;
    }
    return false;
}

Timing TimingOf(const CtaFormat& format, const FrameRate& exact) {
    Timing timing;
    timing.hactive = format.width;
    timing.vactive = format.height;
    timing.htotal = format.width + format.h.front + format.h.sync + format.h.back;
    timing.vtotal = format.height + format.v.front + format.v.sync + format.v.back;
    timing.hstart = format.h.sync + format.h.back;
    timing.vstart = format.v.sync + format.v.back;
    timing.hsync = static_cast<int32_t>(format.h.sync);
    timing.vsync = static_cast<int32_t>(format.v.sync);
    timing.frate = static_cast<int32_t>(std::lround(Millihertz(exact)));
    return timing;
}

}  // namespace

bool ParseRateHz(const std::string& text, FrameRate& rate) {
    uint64_t milli = 0;
    if (!ParseDecimal(text, 3, 1000000, milli) || milli == 0) return false;
    rate = {milli, 1000};
    for (const CtaFormat& format : kFormats) {
        FrameRate exact;
        if (format.alsoThousandths && RateOf(format, rate, exact)) rate = exact;
    }
    return true;
}

bool FindCtaTiming(uint32_t width, uint32_t height, const FrameRate& rate, Timing& timing,
                   std::string& why) {
    bool sizeKnown = false;
    for (const CtaFormat& format : kFormats) {
        if (format.width != width || format.height != height) continue;
        sizeKnown = true;
        FrameRate exact;
        if (RateOf(format, rate, exact)) {
            timing = TimingOf(format, exact);
            return true;
        }
    }
    char rateText[32];
    std::snprintf(rateText, sizeof rateText, "%.3f Hz", Millihertz(rate) / 1000.0);
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    why = sizeKnown ? "the CTA-861 formats of " + size + " have no rate of " + rateText
                    : "no CTA-861 format has the size " + size;
    return false;
}
