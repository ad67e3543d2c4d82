#include "upload/upload_scenario.h"

// IsSelected lives in scenario/selection.cpp.

uint32_t RoundUp(uint32_t value, uint32_t alignment) {
    if (alignment == 0) return 0;
    const uint32_t sum = value - 1 + alignment;
    return sum - sum % alignment;
}

std::vector<uint64_t> ComputeMemoryBlocks(const ScenarioSettings&) { return {}; }
bool UploadScenario(ScenarioSettings) { return false; }
bool UploadScenarioContent(DataLoaderBase&, ScenarioSettings&) { return false; }
bool ResetLayoutToPattern(DataLoaderBase&) { return false; }
bool SetDefaultMemoryLayout() { return false; }
