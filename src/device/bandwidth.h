// Whether the output link can carry a scenario's timings.
#pragma once

#include <cstdint>
#include <string>

struct Timing;

// `colorFormat` is colour space, "@", depth (ParseColorFormat). HDMI devices (by name) only
// classify the TMDS rate; DisplayPort devices compare the video data rate with the link's
// payload and tolerate 7 % excess with a warning. `statusText` receives a one-line result,
// except when `colorFormat` has no "@" (false, text unchanged).
bool CheckLinkBandwidth(const std::string& deviceName, const Timing& timing,
                        const std::string& colorFormat, std::string& statusText);

// Lane rate in Mbps for a DisplayPort link rate code; 0 for an unknown code.
uint32_t DisplayPortLaneRate(uint32_t code);
