// The check mode: every scenario of a playlist (or the one scenario) is planned as a run
// would plan it, and its findings are shown, with the texts a run would print. The device
// library is never called.
#include <algorithm>
#include <string>
#include <vector>

#include "app/run_modes.h"
#include "app/run_report.h"
#include "edid/sink_capabilities.h"
#include "edid/sink_findings.h"
#include "files/paths.h"
#include "format/output_kind.h"
#include "interrupt/interrupt.h"
#include "log/logger.h"
#include "preview/scenario_preview.h"
#include "scenario/findings.h"
#include "scenario/playlist.h"
#include "scenario/read_error.h"
#include "upload/scenario_plan.h"

namespace {

using enum FindingKind;
using enum FindingPoint;

// What the check knows of a scenario before its plan: its output, its file.
struct ScenarioEntry {
    ScenarioSettings settings;         // on its output
    std::string outputProblem;         // the interface or connector type names no output
    std::string fileProblem;           // the scenario file gives no scenario
    std::vector<std::string> ignored;  // the scenario file's lines of an unknown key
};

// The findings of one scenario: its entry's, then its plan's, then its pictures'. An unread
// scenario file gives no plan; its preview folder is still emptied, so that an earlier
// check's pictures do not pass for it.
Findings CheckScenario(const ScenarioEntry& entry, const PlanInputs& inputs,
                       const std::string& previews, size_t number) {
    Findings findings;
    if (!entry.outputProblem.empty()) findings.add(kRefusal, kCheckOnly, entry.outputProblem);
    for (const std::string& line : entry.ignored) findings.add(kWarning, kReading, line);
    const bool readable = entry.fileProblem.empty();
    if (!readable) findings.add(kRefusal, kReading, entry.fileProblem);
    const ScenarioPlan plan = readable ? PlanScenario(entry.settings, inputs) : ScenarioPlan{};
    if (readable) findings.append(plan.findings());
    if (!previews.empty()) findings.append(WriteScenarioPreview(plan, previews, number));
    return findings;
}

std::string InterfaceProblem(const std::string& interface) {
    if (IsInterfaceName(interface)) return {};
    return "Interface '" + ShownValue(interface) + "' names no output (HDMI or DisplayPort).";
}

std::string ConnectorProblem(const std::string& connectortype) {
    if (IsTransmitterOutputName(connectortype)) return {};
    return "Connector type '" + ShownValue(connectortype) +
           "' names no transmitter output (HDMI Out or DisplayPort Out).";
}

// Each line of a text indented under its scenario's line.
void LogIndented(const std::string& text) {
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        logText("  " + text.substr(start, end - start));
        start = end + 1;
    }
}

// The problems (refusals and warnings), then the notes, each in the plan's order.
void LogFindings(const Findings& findings) {
    for (const bool problems : {true, false}) {
        for (const Finding& finding : findings.all()) {
            if (finding.problem() == problems) LogIndented(finding.checkText());
        }
    }
}

// Logs the scenario's line and what was found, and hands the report its verdict; true
// when it has no problem.
bool ReportScenario(size_t number, const std::string& path, const Findings& findings,
                    RunReport& runReport) {
    const size_t count = findings.problemCount();
    logText("Scenario #" + std::to_string(number) + " " + path + ": " +
            (count == 0 ? "OK" : std::to_string(count) + " problem(s)"));
    LogFindings(findings);
    runReport.endScenario(count == 0, findings.firstProblemLine());
    StopPoint();  // a stopped check ends after the scenario it was checking
    return count == 0;
}

// `playlistProblems`: those of the playlist file itself.
bool LogSummary(size_t scenarios, size_t failed, size_t playlistProblems = 0) {
    const std::string inPlaylist = playlistProblems == 0 ? ""
                                                         : "; " + std::to_string(playlistProblems) +
                                                               " problem(s) in the playlist";
    logText("Checked " + std::to_string(scenarios) + " scenarios: " + std::to_string(failed) +
            " with problems" + inPlaylist + ".");
    return failed == 0 && playlistProblems == 0;
}

// The playlist's own problems, in a block before its scenarios; in the report they are the
// playlist's failing case.
void ReportPlaylist(const std::string& path, const std::vector<std::string>& problems,
                    RunReport& runReport) {
    if (problems.empty()) return;
    logText("Playlist " + path + ": " + std::to_string(problems.size()) + " problem(s)");
    for (const std::string& problem : problems) LogIndented(problem);
    runReport.failRun(FirstLine(problems.front()));
}

bool CheckOneScenario(const CommandLineOptions& options, const PlanInputs& inputs,
                      RunReport& runReport) {
    runReport.plan(options.scenario);
    runReport.startScenario(0);
    ScenarioFile file = loadScenarioFile(options.scenario);
    const ScenarioEntry entry{
        OnOutput(std::move(file.settings), options.interface), InterfaceProblem(options.interface),
        ScenarioFileErrorLine(options.scenario, file.error), std::move(file.ignored)};
    const Findings findings = CheckScenario(entry, inputs, options.previewFolder, 1);
    const bool ok = ReportScenario(1, options.scenario, findings, runReport);
    return LogSummary(1, ok ? 0 : 1);
}

bool CheckPlaylist(const CommandLineOptions& options, const PlanInputs& inputs,
                   RunReport& runReport) {
    const Playlist playlist = readPlaylistFile(options.playlist, UnreadScenarios::kKeep);
    ReportPlaylist(options.playlist, playlist.ignored, runReport);
    if (!playlist.isUsable()) {
        logText(kPlaylistLoadFailed);
        logText("");
        runReport.failRun(kPlaylistLoadFailed);
        return false;
    }
    const std::string connectorProblem = ConnectorProblem(playlist.connectortype);
    runReport.plan(playlist);
    size_t failed = 0;
    for (size_t i = 0; i < playlist.entries.size(); ++i) {
        runReport.startScenario(i);
        const PlaylistEntry& source = playlist.entries[i];
        const ScenarioEntry entry{EntrySettings(playlist, i), connectorProblem,
                                  source.scenarioProblem, source.scenarioIgnored};
        const Findings findings = CheckScenario(entry, inputs, options.previewFolder, i + 1);
        if (!ReportScenario(i + 1, entry.settings.path, findings, runReport)) ++failed;
    }
    return LogSummary(playlist.entries.size(), failed, playlist.ignored.size());
}

}  // namespace

bool RunCheck(const CommandLineOptions& options, RunReport& runReport) {
    const std::string& previews = options.previewFolder;
    const std::string refusal = previews.empty() ? "" : PreparePreviewFolder(previews);
    if (!refusal.empty()) {
        logText(refusal);
        runReport.failRun(refusal);
        return false;
    }
    // The sink, when its EDID is given, is judged for every scenario; else it is said once
    // that it is not.
    SinkCapabilities sink;
    PlanInputs inputs;
    if (!options.sinkEdidPath.empty()) {
        const std::string unread = ReadSinkCapabilitiesFile(options.sinkEdidPath, sink);
        if (!unread.empty()) {
            logText(unread);
            runReport.failRun(unread);
            return false;
        }
        logText(SinkSummaryLine(options.sinkEdidPath, sink));
        inputs.sink = &sink;
    } else {
        logText(kSinkNotChecked);
    }
    return options.hasScenarioTriple() ? CheckOneScenario(options, inputs, runReport)
                                       : CheckPlaylist(options, inputs, runReport);
}
