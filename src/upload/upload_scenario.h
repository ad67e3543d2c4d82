// Uploads one scenario's content into a freshly laid-out device memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenario/scenario.h"

class DataLoaderBase;

uint32_t RoundUp(uint32_t value, uint32_t alignment);
std::vector<uint64_t> ComputeMemoryBlocks(const ScenarioSettings& settings);
bool UploadScenario(ScenarioSettings settings);
bool UploadScenarioContent(DataLoaderBase& loader, ScenarioSettings& settings);
bool ResetLayoutToPattern(DataLoaderBase& loader);
bool SetDefaultMemoryLayout();
