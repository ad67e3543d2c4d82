// Pictures of what a scenario will play, made by the check mode: the frames of the first
// steps at full size and a contact sheet of the first steps, read from the bytes the
// upload would send. No device call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scenario/findings.h"

struct ScenarioPlan;

inline constexpr size_t kFullSizeSteps = 8;
inline constexpr size_t kContactSteps = 64;
inline constexpr uint32_t kThumbnailWidth = 240;
inline constexpr size_t kContactColumns = 8;

// Makes the folder and tries writing in it: empty when it can be used, otherwise the
// message that names it.
std::string PreparePreviewFolder(const std::string& folder);

// Writes frame<k>.png for each frame of the plan's first kFullSizeSteps steps (k counts
// the frames of all video items in order) and contact.png of its first kContactSteps steps
// into <folder>\scenario<number>, after removing such files of an earlier check there. A
// plan without a scenario file writes none. Its findings: the files that could not be
// written (warnings), then notes, the last one naming the folder.
Findings WriteScenarioPreview(const ScenarioPlan& plan, const std::string& folder, size_t number);
