// Where each content kind sits in the memory layout: one block per video item, then
// the packets block, then the audio block.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioSettings;

// The non-empty ';'-separated items of a `video` field, in order.
std::vector<std::string> VideoItems(const std::string& video);
// Number of video items when `video` is selected, else 0.
uint32_t VideoItemCount(const ScenarioSettings& settings);
inline uint32_t PacketsBlockIndex(const ScenarioSettings& settings) {
    return VideoItemCount(settings);
}
inline uint32_t AudioBlockIndex(const ScenarioSettings& settings) {
    return VideoItemCount(settings) + 1;
}
