#include "upload/step_check.h"

#include <string>

#include "format/arithmetic.h"
#include "format/color_format.h"
#include "scenario/playing_order.h"
#include "scenario/read_error.h"
#include "scenario/scenario.h"

namespace {

constexpr const char* kSummaryPrefix = "Scenario: ";
constexpr const char* kTooManySteps =
    "Scenario: FATAL error, playing order has more than 1048576 steps";
constexpr const char* kTooManyPackets =
    "Scenario: FATAL error, playing order lists more than 4194304 packets";
constexpr const char* kShortVideoWarning = "WARNING: color format changes in a short video! ";
constexpr const char* kColorChanges = "; color format changes";
constexpr const char* kClockWarning =
    "\nWARNING: TMDS clock drops might happen due to color format change!";
// Below this many frames a colour change is worth a warning of its own.
constexpr uint64_t kShortVideoFrames = 300;

struct StepTotals {
    uint64_t duration = 0;
    bool colorChanges = false;
    bool clockChanges = false;
};

std::string SummaryText(size_t steps, const StepTotals& totals) {
    std::string text = std::to_string(steps) + "steps; total duration " +
                       std::to_string(totals.duration) + " frames";
    if (totals.colorChanges) {
        if (totals.duration >= kShortVideoFrames) {
            text += kColorChanges;
        } else {
            text = kShortVideoWarning + text;
        }
    }
    if (totals.clockChanges) text += kClockWarning;
    return text;
}

// Frames are numbered from 0, so the frame count itself is no frame; without any video
// frame 0 stands for the pattern and still passes.
bool FrameExists(uint32_t frame, uint32_t frames) {
    return frames == 0 ? frame == 0 : frame < frames;
}

// The error for the first frame or packet of the step that does not exist; empty when all do.
std::string MissingStepContent(const PlayingOrderStep& step, uint32_t frames, uint32_t packets) {
    if (!FrameExists(step.frame, frames)) {
        return "Scenario: FATAL error, video frame " + std::to_string(step.frame) +
               " cannot be found";
    }
    for (const uint32_t packet : step.packetIndices) {
        if (packet >= packets) {
            return "Scenario: FATAL error, packet " + std::to_string(packet) + " cannot be found";
        }
    }
    return {};
}

}  // namespace

uint64_t estimateLinkClock(uint16_t colorCode, const ScenarioSettings& settings) {
    const Timing& t = settings.timing;
    // A nonsense timing wraps here: the summary has always printed the wrapped clock.
    const uint64_t frameRate = static_cast<uint64_t>(static_cast<int64_t>(t.frate));
    return ColorFormatOfStepCode(colorCode).LinkClock(
        WrappingMultiply(WrappingMultiply(frameRate, t.vtotal), t.htotal) / 1000);
}

StepCheck CheckPlayingOrderSteps(const PlayingOrder& order, const ScenarioSettings& settings,
                                 uint32_t frames, uint32_t packets) {
    if (order.tooManySteps) {
        return {false, order.tooManyPackets ? kTooManyPackets : kTooManySteps, {}};
    }
    StepTotals totals;
    const PlayingOrderStep* first = order.steps.empty() ? nullptr : &order.steps.front();
    const uint64_t firstClock = first ? estimateLinkClock(first->colorCode, settings) : 0;
    for (const PlayingOrderStep& step : order.steps) {
        totals.duration += step.duration;
        if (step.colorCode != first->colorCode) totals.colorChanges = true;
        if (estimateLinkClock(step.colorCode, settings) != firstClock) totals.clockChanges = true;
        std::string missing = MissingStepContent(step, frames, packets);
        if (!missing.empty()) return {false, std::move(missing), {}};
    }
    StepCheck check{true, kSummaryPrefix + SummaryText(order.steps.size(), totals), {}};
    if (order.steps.empty() && !settings.porder.empty()) {
        check.noStepWarning =
            "the playing order '" + ShownValue(settings.porder) + "' has no step.";
    }
    return check;
}
