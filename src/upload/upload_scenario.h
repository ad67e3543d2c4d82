// Uploads one scenario's content into a freshly laid-out device memory.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/upload_callback.h"
#include "scenario/scenario.h"
#include "upload/checks.h"

class DataLoaderBase;

UploadOutcome UploadScenario(ScenarioSettings settings);
bool UploadScenarioContent(DataLoaderBase& loader, ScenarioSettings& settings);
bool ResetLayoutToPattern(DataLoaderBase& loader);
bool SetDefaultMemoryLayout();
