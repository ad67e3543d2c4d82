#include "app/run_modes.h"
#include "app/run_report.h"
#include "app/source_device.h"
#include "device/library.h"
#include "device/output_setup.h"
#include "device/playback.h"
#include "device/setup_status.h"
#include "log/logger.h"
#include "scenario/playlist.h"
#include "scenario/read_error.h"
#include "scenario/scenario.h"
#include "upload/scenario_plan.h"

namespace {

// Read before the first device call, so that a file that gives no scenario is named as a
// playlist run names it, and the device is never touched for it.
bool ReadScenario(const std::string& path, RunReport& report, ScenarioSettings& settings) {
    ScenarioFile file = loadScenarioFile(path);
    logIgnoredLines(file.ignored);
    if (file.error == ScenarioFileError::kNone) {
        settings = std::move(file.settings);
        return true;
    }
    const std::string line = ScenarioFileErrorLine(path, file.error);
    if (!ScenarioFileErrorLogged(file.error)) logText(line);
    report.startScenario(0);
    report.endScenario(false, line);
    return false;
}

}  // namespace

bool RunScenario(const CommandLineOptions& options, RunReport& report) {
    report.plan(options.scenario);
    ScenarioSettings settings;
    if (!options.play && !ReadScenario(options.scenario, report, settings)) return false;
    std::string deviceName;
    std::string failure;
    if (!OpenSourceDevice(options, deviceName, failure)) {
        report.failRun(failure);
        return false;
    }
    MarkDeviceOpened();
    if (options.sourceSerialNumber == "*") LogSerialNumberWarning(deviceName);
    if (options.play) return StartPlayback();

    report.startScenario(0);
    // No playlist connector type here: the interface tells whether the output is HDMI.
    const ScenarioPlan plan = PlanScenario(OnOutput(std::move(settings), options.interface));
    std::string status;
    const int32_t code = startScenario(deviceName, plan.setup, plan.content, status, &failure);
    if (!status.empty()) Logger::instance().log("startScenario: %s", status.c_str());
    // Every failure says why, as the playlist run does.
    if (code < 0) logText(StatusMessage(code, status));
    report.endScenario(code == 0, failure);
    return code == 0;
}
