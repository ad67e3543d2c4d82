// The process-wide hook through which the output set-up has a scenario's content uploaded.
#pragma once

#include <functional>
#include <string>

#include "scenario/scenario.h"

// Whether the content went to the device, and if not, the line that says why.
struct UploadOutcome {
    bool uploaded = false;
    std::string failure;
};

// What the upload carries out (upload/content_plan.h); the set-up only hands it on.
struct ContentPlan;

using UploadCallbackFunction =
    std::function<UploadOutcome(const ScenarioSettings& settings, const ContentPlan& content)>;

// The one instance; empty until the entry point (or a test) sets it.
UploadCallbackFunction& UploadCallback();

// Has the content uploaded through the callback; not uploaded when none is set.
UploadOutcome UploadThroughCallback(const ScenarioSettings& settings, const ContentPlan& content);
