// Everything the upload decides about a scenario's content before it writes to the
// device, decided once: the files found, the steps, each frame's plan, the audio plan, the
// packet data, the memory layout and the findings. The check shows the plan, the preview
// draws its frames, the upload carries it out. No device call, no log line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packets/packet_findings.h"
#include "scenario/findings.h"
#include "scenario/playing_order.h"
#include "upload/audio.h"
#include "upload/frame_plan.h"
#include "upload/memory_layout.h"
#include "upload/packets.h"
#include "upload/step_check.h"

struct ScenarioSettings;

// The content files of a scenario, each sequence looked up once.
struct ScenarioFiles {
    std::vector<std::string> videoItems;  // the selected `video` items
    ItemFrames frames;                    // the frame files of each item
    std::vector<std::string> packets;     // the files of the selected `packets` sequence

    // Frames of all video items together.
    uint32_t FrameCount() const;
};

ScenarioFiles FindScenarioFiles(const ScenarioSettings& settings);

struct VideoItemPlan {
    bool binary = false;  // the item's name says ".bin"
    std::vector<FramePlan> frames;
    // Said before its first frame is sent: the deep samples that sit in the low bits.
    Findings warnings;
};

// The steps the preview draws: the first of the playing order.
inline constexpr size_t kPlannedSteps = 64;

struct ContentPlan {
    ScenarioFiles files;
    std::vector<VideoItemPlan> video;  // one per `video` item
    StepCheck steps;
    std::vector<PlayingOrderStep> firstSteps;  // at most kPlannedSteps
    AudioPlan audio;
    PacketContent packets;
    // The steps that send each packet loaded, in the colour codes they play.
    std::vector<std::vector<StepColor>> packetSteps;
    MemoryLayout layout;
    Findings findings;

    // Frame k counting the frames of all video items in order; null past the last.
    const FramePlan* Frame(uint32_t k) const;
};

ContentPlan PlanContent(const ScenarioSettings& settings);
