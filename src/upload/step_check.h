// The check of a scenario's playback steps against its content, run before upload.
#pragma once

#include <cstdint>
#include <string>

struct ScenarioSettings;
struct PlayingOrder;

struct StepCheck {
    bool passed = false;
    std::string text;  // the summary (with any warnings) when passed, else the fatal error
    // A written order of which the program finds no step: the device gets it as written,
    // but it cannot be what was meant (a warning's text, without "WARNING: ").
    std::string noStepWarning;
};

// The check of the scenario's parsed `order` against `frames` frame files and `packets`
// packet files; needs no device.
StepCheck CheckPlayingOrderSteps(const PlayingOrder& order, const ScenarioSettings& settings,
                                 uint32_t frames, uint32_t packets);

// Estimated link clock of a step in the colour format `colorCode`, in hertz.
uint64_t estimateLinkClock(uint16_t colorCode, const ScenarioSettings& settings);
