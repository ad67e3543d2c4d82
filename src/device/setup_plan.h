// What the output set-up decides about a scenario without the device: the one colour
// format of the link check and the colour write, the loading colour, and its findings (no
// timings; a link no generator carries; settings it cannot use). The check shows them, the
// set-up reads them at its points.
#pragma once

#include <cstdint>

#include "format/color_format.h"
#include "scenario/findings.h"
#include "scenario/scenario.h"

struct SetupPlan {
    ScenarioSettings settings;  // as the set-up writes them; `hdmi` says the output
    ColorFormat format;
    bool showsLoadingColor = false;  // false: the loading colour is not R,G,B (a warning)
    uint64_t loadingColor = 0;
    Findings findings;
};

SetupPlan PlanSetup(const ScenarioSettings& settings);
