// The check of a scenario's playback steps against its content, run before upload.
#pragma once

#include <cstdint>
#include <string>

struct ScenarioSettings;
class DataLoaderBase;

struct StepCheck {
    bool passed = false;
    std::string text;  // the summary (with any warnings) when passed, else the fatal error
    // A written order of which the program finds no step: the device gets it as written,
    // but it cannot be what was meant.
    std::string noStepWarning;
};

// The check against `frames` frame files and `packets` packet files; needs no device.
StepCheck CheckPlayingOrderSteps(const ScenarioSettings& settings, uint32_t frames,
                                 uint32_t packets);
// Reports the result the way the upload does (the summary, then any warning of no step);
// returns whether it passed.
bool ReportStepCheck(DataLoaderBase& loader, const StepCheck& check);

// Estimated link clock of a step in the colour format `colorCode`, in hertz.
uint64_t estimateLinkClock(uint16_t colorCode, const ScenarioSettings& settings);
