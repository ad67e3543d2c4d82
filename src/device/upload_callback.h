// The process-wide hook through which the output set-up has a scenario's content uploaded.
#pragma once

#include <functional>

#include "scenario/scenario.h"

using UploadCallbackFunction = std::function<bool(ScenarioSettings)>;

// The one instance; empty until the entry point (or a test) sets it.
UploadCallbackFunction& UploadCallback();

// Has the content uploaded through the callback; false when none is set.
bool UploadThroughCallback(const ScenarioSettings& settings);
