// Whether the output link can carry a scenario's timings.
#pragma once

#include <cstdint>
#include <string>

struct Timing;
struct ColorFormat;

// The highest TMDS clock without scrambling (HDMI 1.4), in Hz.
inline constexpr uint64_t kHdmiUnscrambledMaxClock = 340000000;

// HDMI devices (by name) only classify the TMDS rate; DisplayPort devices compare the video
// data rate with the link's payload and tolerate 7 % excess with a warning. `statusText`
// receives a one-line result.
bool CheckLinkBandwidth(const std::string& deviceName, const Timing& timing,
                        const ColorFormat& format, std::string& statusText);

// The HDMI classification of the TMDS rate ("<rate> -> 3G" or "-> 6G"); needs no device.
std::string HdmiLinkRateText(const Timing& timing, const ColorFormat& format);
// The TMDS clock in Hz of an HDMI link: 4:2:0 halves the pixel clock, deep colour scales
// it, and 4:2:2 stays at the pixel clock at any depth. Saturates instead of wrapping.
uint64_t HdmiTmdsClock(const Timing& timing, const ColorFormat& format);
// "Link: a TMDS clock of <n> MHz needs scrambling, ..." for HDMI above 340 MHz with the
// scrambler off; empty otherwise.
std::string ScramblingOffProblem(const Timing& timing, const ColorFormat& format, bool hdmi,
                                 bool scrambler);
// Why no generator of the family could carry the link, as a line; empty when one may.
// DisplayPort: the request reaches the fastest link's payload with its tolerance;
// HDMI: the TMDS clock (4:2:2 carries no deep-colour ratio) is above 600 MHz.
std::string LinkBeyondEveryGenerator(const Timing& timing, const ColorFormat& format, bool hdmi);
// The video data rate in Mbps that a DisplayPort link must carry; needs no device.
uint64_t DisplayPortRequestedRate(const Timing& timing, const ColorFormat& format);

// Lane rate in Mbps for a DisplayPort link rate code; 0 for an unknown code.
uint32_t DisplayPortLaneRate(uint32_t code);
