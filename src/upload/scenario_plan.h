// The plan of a scenario: what the set-up and the upload decide about it before the
// device is touched, with every finding. The check renders it, the preview draws its
// frames, the run carries it out. A pure function of the settings, of what the files hold
// and of its inputs: no device call, no log line.
#pragma once

#include <cstdint>
#include <string>

#include "device/setup_plan.h"
#include "edid/sink_capabilities.h"
#include "scenario/findings.h"
#include "upload/content_plan.h"

// What the plan may weigh beyond the scenario itself; each input is optional.
struct PlanInputs {
    const SinkCapabilities* sink = nullptr;  // the sink's EDID: whether it takes the signal
};

struct ScenarioPlan {
    SetupPlan setup;  // its settings are the scenario's, `hdmi` saying the output
    ContentPlan content;
    Findings sink;  // whether the sink takes it: said right after the scenario's summary

    const ScenarioSettings& settings() const { return setup.settings; }
    // The sink's findings, the set-up's, then the content's: the run's order, which the
    // check shows them in.
    Findings findings() const;
};

ScenarioPlan PlanScenario(const ScenarioSettings& settings, const PlanInputs& inputs = {});
