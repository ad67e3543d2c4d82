#include "device/bandwidth.h"

#include <cmath>
#include <limits>

#include "device/config_items.h"
#include "device/items.h"
#include "format/arithmetic.h"
#include "format/color_format.h"
#include "format/frequency.h"
#include "format/output_kind.h"
#include "scenario/scenario.h"

namespace {

constexpr uint64_t kHdmi20Boundary = kHdmiUnscrambledMaxClock;  // from here 6G is needed
constexpr uint64_t kHdmiMaxTmdsClock = 600000000;  // the fastest HDMI link of the family
// The fastest DisplayPort link of the family: four lanes at code 30 (8100 Mbps).
constexpr uint32_t kMostLanes = 4;
constexpr uint32_t kFastestRateCode = 30;

// Nearest integer, halves away from zero; negative values count as 0.
uint64_t Nearest(double value) {
    const double rounded = std::round(value);
    if (!(rounded > 0)) return 0;
    if (rounded >= 18446744073709551616.0) return kSaturated;
    return static_cast<uint64_t>(rounded);
}

// Payload in Mbps after 8b/10b coding and 3 % margin; the model's full link when the device
// reports none.
uint64_t AvailablePayload(const std::string& deviceName, uint32_t lanes, uint32_t laneRate) {
    const uint32_t linkRate = laneRate * lanes;  // the device's own 32-bit product
    const uint64_t available = Nearest(linkRate * 0.97) * 8 / 10;
    if (available != 0) return available;
    if (deviceName.compare(0, 5, "KVX-3") == 0) return 20952 * 8 / 10;
    if (deviceName.compare(0, 5, "KVX-4") == 0) return 31428 * 8 / 10;
    return 0;
}

// Excess over the payload that is still tried, with a warning.
uint64_t Tolerance(uint64_t available) {
    return Nearest(available / 100.0 * 7.0);
}

uint64_t HdmiPixelClock(const Timing& timing) {
    // A negative frame rate is taken as its unsigned 64-bit pattern, like the other factors.
    const uint64_t frate = static_cast<uint64_t>(static_cast<int64_t>(timing.frate));
    return SaturatingMultiply(SaturatingMultiply(frate, timing.vtotal), timing.htotal) / 1000;
}

uint64_t RequestedRate(const Timing& timing, const ColorFormat& format) {
    const uint64_t bitsPerPixel = format.BitsPerPixel();
    // Whole hertz: 59.94 Hz counts as 59.
    const int64_t hertz = timing.frate / 1000;
    constexpr uint64_t kBitsPerMegabit = 1000000;
    // A negative frame rate cannot be carried: it counts as the largest rate.
    if (hertz < 0) return kSaturated / kBitsPerMegabit;
    uint64_t rate = SaturatingMultiply(static_cast<uint64_t>(hertz), timing.vtotal);
    rate = SaturatingMultiply(rate, timing.htotal);
    rate = SaturatingMultiply(rate, bitsPerPixel);
    return rate / kBitsPerMegabit;
}

bool CheckDisplayPort(const std::string& deviceName, const Timing& timing,
                      const ColorFormat& format, std::string& statusText) {
    // Failed reads leave zero, which selects the model's fallback below.
    uint32_t lanes = 0;
    uint32_t rateCode = 0;
    GetItem32(item::kDpLaneCount, lanes);
    GetItem32(item::kDpLinkRate, rateCode);
    const uint32_t laneRate = DisplayPortLaneRate(rateCode);

    const uint64_t available = AvailablePayload(deviceName, lanes, laneRate);
    const uint64_t requested = RequestedRate(timing, format);
    const uint64_t tolerance = Tolerance(available);
    const bool withinTolerance = available < requested && requested < available + tolerance;

    statusText = withinTolerance ? "WARNING: " : "";
    statusText += "Available: " + std::to_string(available) + " Mbps (LC=" + std::to_string(lanes) +
                  ",BR=" + std::to_string(laneRate) + "), requested: " + std::to_string(requested) +
                  " Mbps.";
    return withinTolerance || requested <= available;
}

}  // namespace

std::string HdmiLinkRateText(const Timing& timing, const ColorFormat& format) {
    // The classification counts the deep-colour ratio on 4:2:2 as well.
    const uint64_t rate = format.LinkClock(HdmiPixelClock(timing), format.DeepColorRatio());
    return std::to_string(rate) + (rate >= kHdmi20Boundary ? " -> 6G" : " -> 3G");
}

uint64_t HdmiTmdsClock(const Timing& timing, const ColorFormat& format) {
    return format.LinkClock(HdmiPixelClock(timing));
}

std::string ScramblingOffProblem(const Timing& timing, const ColorFormat& format, bool hdmi,
                                 bool scrambler) {
    if (!hdmi || scrambler) return {};
    const uint64_t clock = HdmiTmdsClock(timing, format);
    if (clock <= kHdmiUnscrambledMaxClock) return {};
    return "Link: a TMDS clock of " + MhzText(clock) +
           " MHz needs scrambling, which the scenario turns off.";
}

std::string LinkBeyondEveryGenerator(const Timing& timing, const ColorFormat& format, bool hdmi) {
    if (hdmi) {
        const uint64_t clock = HdmiTmdsClock(timing, format);
        if (clock <= kHdmiMaxTmdsClock) return {};
        return "Link: TMDS clock " + std::to_string(clock) + " Hz; no HDMI generator goes above " +
               std::to_string(kHdmiMaxTmdsClock) + " Hz.";
    }
    const uint64_t fastest =
        AvailablePayload("", kMostLanes, DisplayPortLaneRate(kFastestRateCode));
    const uint64_t limit = fastest + Tolerance(fastest);
    const uint64_t requested = RequestedRate(timing, format);
    if (requested < limit) return {};
    return "Link: requested " + std::to_string(requested) +
           " Mbps; no DisplayPort generator carries " + std::to_string(limit) + " Mbps or more.";
}

uint64_t DisplayPortRequestedRate(const Timing& timing, const ColorFormat& format) {
    return RequestedRate(timing, format);
}

uint32_t DisplayPortLaneRate(uint32_t code) {
    switch (code) {
        case 6:
            return 1620;
        case 10:
            return 2700;
        case 20:
            return 5400;
        case 25:
            return 6750;
        case 30:
            return 8100;
        default:
            return 0;
    }
}

bool CheckLinkBandwidth(const std::string& deviceName, const Timing& timing,
                        const ColorFormat& format, std::string& statusText) {
    if (IsHdmiOutput(deviceName)) {
        statusText = HdmiLinkRateText(timing, format);  // HDMI only classifies: never refused
        return true;
    }
    return CheckDisplayPort(deviceName, timing, format, statusText);
}
