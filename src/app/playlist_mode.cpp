#include "app/capture.h"
#include "app/external_command.h"
#include "app/run_modes.h"
#include "app/run_report.h"
#include "app/source_device.h"
#include "device/output_setup.h"
#include "device/playback.h"
#include "device/setup_status.h"
#include "edid/sink_capabilities.h"
#include "edid/sink_edid.h"
#include "interrupt/interrupt.h"
#include "log/logger.h"
#include "scenario/playlist.h"
#include "scenario/summary.h"
#include "upload/scenario_plan.h"
#include "upload/upload_scenario.h"

namespace {

enum class EntryOutcome { Next, Failed, Closed };

constexpr const char* kReopenFailed = "Failed re-opening device!";

// The command line decides the device, and the capture values when all three are given.
void ApplyCommandLine(Playlist& playlist, const CommandLineOptions& options) {
    if (!options.sourceSerialNumber.empty()) playlist.serialnumber = options.sourceSerialNumber;
    if (!options.captureFolder.empty() && !options.sinkSerialNumber.empty() &&
        !options.interface.empty()) {
        playlist.captureFolder = options.captureFolder;
        playlist.sinkSerialNumber = options.sinkSerialNumber;
        playlist.interface = options.interface;
        playlist.sinkResetBeforeCapture = options.resetSinkBeforeCapture;
    }
}

void LogScenarioHeader(size_t number, uint32_t period, const ScenarioSettings& summary) {
    logText("\nLoading scenario #" + std::to_string(number) + " (" + std::to_string(period) +
            " ms).\n" + describeTimings(summary.timing) + "\n" + describeScenario(summary));
}

// The program's own capture command keeps "*" as written; a playlist's command is the
// user's shell command.
bool RunAfterUpload(const std::string& command, bool ownCommand, std::string& failure) {
    Logger::instance().log("Calling external application with command: %s.", command.c_str());
    std::string output;  // read so the child never blocks on a full pipe, then dropped
    const int status = RunExternalCommand(command, output, !ownCommand);
    if (status == 0) return true;
    failure =
        "Calling external application failed with error code: " + std::to_string(status) + ".";
    logText(failure);
    return false;
}

// `failure`: the line that says why the entry failed; `inputs`: what the plan weighs.
EntryOutcome PlayEntry(Playlist& playlist, size_t i, const PlanInputs& inputs,
                       std::string& failure) {
    const PlaylistEntry entry = playlist.entries[i];
    const uint32_t period = entry.period;
    const ScenarioSettings summary = EntrySettings(playlist, i);
    LogScenarioHeader(i + 1, period, summary);

    const ScenarioPlan plan = PlanScenario(summary, inputs);
    LogFindingsAt(plan.sink, FindingPoint::kAfterSummary);
    const int32_t code = StartPlaylistScenario(playlist, i, plan.setup, plan.content, &failure);
    logText(StatusMessage(code, playlist.setupMessage));
    if (code < 0) return EntryOutcome::Failed;

    std::string command = entry.executeAfterUpload;
    const bool capture =
        command.empty() && !playlist.sinkSerialNumber.empty() && !playlist.captureFolder.empty();
    if (capture) command = BuildCaptureCommand(playlist, summary);
    if (!command.empty() && !RunAfterUpload(command, capture, failure)) {
        return EntryOutcome::Failed;
    }
    if (entry.closeAfterUpload) {
        Logger::instance().log("Closing after upload.");
        return EntryOutcome::Closed;
    }
    Logger::instance().log("Playing content for %u msec.", period);
    // The one wait a signal cuts short: the run stops at once, with the scenario unfinished.
    WaitUnlessStopped(period);
    StopPoint();
    return EntryOutcome::Next;
}

}  // namespace

bool RunPlaylist(const CommandLineOptions& options, RunReport& report) {
    Playlist playlist = readPlaylistFile(options.playlist);
    if (!playlist.isUsable()) {
        logText(kPlaylistLoadFailed);
        logText("");
        report.failRun(kPlaylistLoadFailed);
        return false;
    }
    report.plan(playlist);
    ApplyCommandLine(playlist, options);
    if (!OpenPlaylistDevice(playlist)) {
        report.failRun(kPlaylistDeviceFailed);
        return false;
    }
    if (options.play) return StartPlayback();

    std::vector<uint8_t> edid;
    ReadSinkEdid(options.edidPath, &edid);
    // A sink whose EDID cannot be read is not judged.
    SinkCapabilities sink;
    PlanInputs inputs;
    if (HasEdidHeader(edid)) {
        sink = ReadSinkCapabilities(edid.data(), edid.size());
        inputs.sink = &sink;
    }
    SetDefaultMemoryLayout();
    for (size_t i = 0; i < playlist.entries.size(); ++i) {
        StopPoint();  // nothing of a scenario is logged once the run is stopping
        report.startScenario(i);
        std::string failure;
        const EntryOutcome outcome = PlayEntry(playlist, i, inputs, failure);
        report.endScenario(outcome != EntryOutcome::Failed, failure);
        if (outcome == EntryOutcome::Failed) return false;
        if (outcome == EntryOutcome::Closed) return true;
    }
    ResetOutput();
    if (playlist.reset && !ReopenDevice(playlist)) {
        logText(kReopenFailed);
        report.failRun(kReopenFailed);
        return false;
    }
    Logger::instance().log("Playlist has ended.");
    return true;
}
