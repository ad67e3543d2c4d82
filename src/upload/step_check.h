// The check of a scenario's playback steps against its content, run before upload.
#pragma once

#include <cstdint>

struct ScenarioSettings;
class DataLoaderBase;

// True when every step's frame and packets exist; reports a one-line summary (and the
// colour-change warnings) on success, the first missing frame or packet otherwise.
bool checkPlayingOrder(DataLoaderBase& loader, const ScenarioSettings& settings);

// Estimated link clock of a step in the colour format `colorCode`, in hertz.
uint64_t estimateLinkClock(uint16_t colorCode, const ScenarioSettings& settings);
