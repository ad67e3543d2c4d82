// The texts logged before a scenario is set up.
#pragma once

#include <string>

#include "scenario/scenario.h"

// "Timings:" and four indented lines of the nine timing values.
std::string describeTimings(const Timing& timing);
// One line per setting, each ending in ";\n".
std::string describeScenario(const ScenarioSettings& settings);
