// The scenario file that plays the frames written: every frame once, in the CTA-861
// timing of their size and rate.
#pragma once

#include <cstdint>
#include <string>

#include "format/color_format.h"
#include "scenario/scenario.h"

struct FramesScenario {
    std::string firstFrame;  // the path of the first frame file, as written
    std::string colorspace;  // RGB444 or YUV444
    ColorFormat format;
    Timing timing;
    uint64_t frames = 0;
};

// The scenario's text; `video` names the first frame relative to the scenario's folder.
std::string FramesScenarioText(const FramesScenario& scenario, const std::string& scenarioPath);
