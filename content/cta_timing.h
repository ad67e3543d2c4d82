// The CTA-861 video formats a scenario can be written for: the timing of a frame size at
// a frame rate, in the program's timing keys.
#pragma once

#include <cstdint>
#include <string>

#include "scenario/scenario.h"

// A frame rate as a fraction of hertz (60000/1001 for 59.94 Hz).
struct FrameRate {
    uint64_t numerator = 0;
    uint64_t denominator = 1;
};

// A rate in Hz as a decimal with up to three decimals: "59.94" is 60000/1001 (the
// 1000/1001 rates are named by their usual decimals), "60" is 60/1. False for other text.
bool ParseRateHz(const std::string& text, FrameRate& rate);

// The CTA-861 timing of a progressive format of that size and rate: hstart and vstart
// are sync plus back porch, sync widths positive, frate in thousandths of a hertz. Empty
// (false) when the table has no such format; `why` then says which part is missing.
bool FindCtaTiming(uint32_t width, uint32_t height, const FrameRate& rate, Timing& timing,
                   std::string& why);
