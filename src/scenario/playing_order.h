// The playing-order expression: which frame shows at each step, for how long,
// with which packets and in which colour format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ScenarioSettings;

struct PlayingOrderStep {
    uint32_t index = 0;
    uint32_t frame = 0;
    uint32_t duration = 0;
    uint32_t vNumber = 0;
    uint16_t colorCode = 0;  // low byte colour space, high byte depth
    std::vector<uint32_t> packetIndices;
    bool pPrefix = false;
};

// More steps than this are refused rather than expanded.
inline constexpr uint32_t kMaxPlayingOrderSteps = 1048576;
// Packet positions summed over all steps; more are refused like too many steps.
inline constexpr uint64_t kMaxPlayingOrderPacketRefs = 4 * uint64_t{kMaxPlayingOrderSteps};

struct PlayingOrder {
    std::vector<PlayingOrderStep> steps;  // empty when the expression is unusable
    bool tooManySteps = false;            // refused for expanding beyond the limits above
    bool tooManyPackets = false;          // ... and it was the packet limit that refused it
};

// Parses settings.porder ("0:1::256" when empty).
PlayingOrder parsePlayingOrder(const ScenarioSettings& settings);
PlayingOrder parsePlayingOrderText(const std::string& porder);

// Sum of the durations of an expression ("0:1::256" when empty), for the capture
// command; 0 when unusable.
uint64_t CountPlayingOrderFrames(const std::string& porder);
