#include "upload/upload_scenario.h"

// Placeholder until the orchestration is built.
bool IsSelected(const std::string& field) {
    return !field.empty() && field.find("not selected") == std::string::npos;
}

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
