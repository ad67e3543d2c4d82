// Settings a scenario writes that the set-up cannot use. The run logs each warning where
// the set-up writes the setting and goes on with what the device gets instead; the check
// reports the same lines. A setting that is not written keeps its default silently.
#pragma once

#include <string>
#include <vector>

struct ScenarioSettings;

// "WARNING: ..." for a loading colour that is not R,G,B; empty otherwise.
std::string LoadingColorWarning(const ScenarioSettings& settings);
// "WARNING: ..." for a colour space the device does not know; empty otherwise.
std::string ColorSpaceWarning(const ScenarioSettings& settings);
// "WARNING: ..." for bits per colour the device has no depth for; empty otherwise.
std::string DepthWarning(const ScenarioSettings& settings);

// The warnings above that apply, in the order the set-up writes the settings.
std::vector<std::string> UnusableSettingWarnings(const ScenarioSettings& settings);
