// Uploads one scenario's content into a freshly laid-out device memory, carrying out the
// plan made of it (upload/content_plan) in the order the device needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "device/upload_callback.h"
#include "scenario/scenario.h"
#include "upload/content_plan.h"

class DataLoaderBase;

// The upload the entry point installs as the upload callback.
UploadOutcome UploadScenario(const ScenarioSettings& settings, const ContentPlan& plan);
bool UploadPlannedContent(DataLoaderBase& loader, const ScenarioSettings& settings,
                          const ContentPlan& plan);
// Plans the content first: for callers that have no plan yet.
bool UploadScenarioContent(DataLoaderBase& loader, ScenarioSettings& settings);
bool ResetLayoutToPattern(DataLoaderBase& loader);
bool SetDefaultMemoryLayout();
