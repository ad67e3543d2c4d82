// Where each content kind sits in the memory layout: one block per video item, then
// the packets block, then the audio block.
#pragma once

#include <cstdint>

struct ScenarioSettings;

// Non-empty ';'-separated items of `video` when it is selected, else 0.
uint32_t VideoItemCount(const ScenarioSettings& settings);
inline uint32_t PacketsBlockIndex(const ScenarioSettings& settings) {
    return VideoItemCount(settings);
}
inline uint32_t AudioBlockIndex(const ScenarioSettings& settings) {
    return VideoItemCount(settings) + 1;
}
