// The checks that a scenario's content can be played. None of them needs the device:
// the upload runs them before it writes anything, and the check mode runs them alone.
// Each gives the lines the upload reports for it, so both say the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "upload/frame_sequence.h"
#include "upload/packets.h"
#include "upload/step_check.h"

struct ScenarioSettings;
class DataLoaderBase;

// The content files of a scenario, each sequence looked up once.
struct ScenarioFiles {
    std::vector<std::string> videoItems;  // the selected `video` items
    ItemFrames frames;                    // the frame files of each item
    std::vector<std::string> packets;     // the files of the selected `packets` sequence

    // Frames of all video items together.
    uint32_t FrameCount() const;
};

ScenarioFiles FindScenarioFiles(const ScenarioSettings& settings);

// "File <name> doesn't exist!" for each video item or packet sequence that finds no
// file, and for a missing audio file.
std::vector<std::string> MissingFileLines(const ScenarioSettings& settings,
                                          const ScenarioFiles& files);

// The step check against the files found.
StepCheck CheckSteps(const ScenarioSettings& settings, const ScenarioFiles& files);
// The step check against the files found, reported the way the upload does: a
// one-line summary on success, the first missing frame or packet otherwise.
bool checkPlayingOrder(DataLoaderBase& loader, const ScenarioSettings& settings,
                       const ScenarioFiles& files);

// One entry per frame that cannot be sent: why, a line break and "Failed to load <path>",
// as the upload reports the first one; a video item that is not binary gives its own entry.
std::vector<std::string> FrameProblems(const ScenarioSettings& settings,
                                       const ScenarioFiles& files);

// Packet data of the selected `packets` sequence; not loaded when none is selected.
PacketContent PrepareScenarioPackets(const ScenarioSettings& settings, const ScenarioFiles& files);
