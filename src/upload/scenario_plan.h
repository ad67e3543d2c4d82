// The plan of a scenario: what the set-up and the upload decide about it before the
// device is touched, with every finding. The check renders it, the preview draws its
// frames, the run carries it out. A pure function of the settings and of what the files
// hold: no device call, no log line.
#pragma once

#include <cstdint>
#include <string>

#include "device/setup_plan.h"
#include "scenario/findings.h"
#include "upload/content_plan.h"

// What the plan may weigh beyond the scenario itself; each input is optional.
struct PlanInputs {};

struct ScenarioPlan {
    SetupPlan setup;  // its settings are the scenario's, `hdmi` saying the output
    ContentPlan content;

    const ScenarioSettings& settings() const { return setup.settings; }
    // The set-up's findings, then the content's: the order the check shows them in.
    Findings findings() const;
};

ScenarioPlan PlanScenario(const ScenarioSettings& settings, const PlanInputs& inputs = {});
