// The value of the device's solid colour item from the "R,G,B" text of a scenario.
#pragma once

#include <cstdint>
#include <string>

// "R,G,B" as the 64-bit value of the solid colour item (two little-endian 32-bit words),
// converted to Cr/Y/Cb when `colorSpace` names YUV (MentionsYuv). False unless there are three
// parts.
bool ParseColorValue(const std::string& text, const std::string& colorSpace, uint64_t& value);
