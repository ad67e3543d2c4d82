#include "upload/scenario_plan.h"

Findings ScenarioPlan::findings() const {
    Findings all = setup.findings;
    all.append(content.findings);
    return all;
}

ScenarioPlan PlanScenario(const ScenarioSettings& settings, const PlanInputs&) {
    return ScenarioPlan{PlanSetup(settings), PlanContent(settings)};
}
