// The check mode: every scenario of a playlist (or the one scenario) is checked for what
// can be known without a device, with the texts a run would print. The device library
// is never called.
#include <algorithm>
#include <string>
#include <vector>

#include "app/run_modes.h"
#include "app/run_report.h"
#include "device/output_setup.h"
#include "device/setup_status.h"
#include "files/paths.h"
#include "format/output_kind.h"
#include "interrupt/interrupt.h"
#include "log/logger.h"
#include "preview/scenario_preview.h"
#include "scenario/playlist.h"
#include "scenario/porder_grammar.h"
#include "scenario/read_error.h"
#include "scenario/selection.h"
#include "upload/audio.h"
#include "upload/checks.h"
#include "upload/memory_layout.h"

namespace {

struct ScenarioReport {
    std::vector<std::string> problems;  // each may span lines
    std::vector<std::string> notes;     // what the scenario needs: link, steps, memory
};

// The lines a run would report for one problem make one problem of several lines.
void AddProblem(const std::vector<std::string>& lines, ScenarioReport& report) {
    std::string problem;
    for (const std::string& line : lines) problem += (problem.empty() ? "" : "\n") + line;
    if (!problem.empty()) report.problems.push_back(problem);
}

// An unreadable audio file is one problem: its reason, then the fatal line.
void CheckAudio(const ScenarioSettings& settings, ScenarioReport& report) {
    if (!IsSelected(settings.audio) || !fileExists(settings.audio)) return;  // missing: reported
    AddProblem(CheckAudioFile(settings), report);
}

// The device reads the order itself: every item its grammar refuses is named. An order
// of which the program finds no step is handed over as written, with a warning.
void CheckPlayingOrder(const ScenarioSettings& settings, const StepCheck& steps,
                       ScenarioReport& report) {
    constexpr size_t kShownItems = 10;
    const RefusedItems refused = RefusedPlayingOrderItems(settings.porder, kShownItems);
    for (const std::string& item : refused.shown) {
        report.problems.push_back("The device refuses playing order item '" + ShownValue(item) +
                                  "'.");
    }
    if (refused.more != 0) {
        report.problems.back() += "\nand " + std::to_string(refused.more) + " more item(s)";
    }
    if (!steps.noStepWarning.empty()) report.problems.push_back(steps.noStepWarning);
}

void NoteMemory(const MemoryLayout& layout, ScenarioReport& report) {
    if (layout.empty()) return;  // the packet data's limit is reported as its problem
    std::string blocks = "Memory blocks:";
    for (size_t i = 0; i < layout.blocks.size(); ++i) {
        blocks += (i == 0 ? " " : ", ") + std::to_string(layout.blocks[i]);
    }
    report.notes.push_back(blocks + " bytes.");
    report.notes.push_back(DataSizeLines(layout).front());  // the total
}

void CheckContent(const ScenarioSettings& settings, ScenarioReport& report) {
    const ScenarioFiles files = FindScenarioFiles(settings);
    std::vector<std::string>& problems = report.problems;
    for (std::string& line : MissingFileLines(settings, files)) problems.push_back(line);
    const StepCheck steps = CheckSteps(settings, files);
    (steps.passed ? report.notes : problems).push_back(steps.text);
    CheckPlayingOrder(settings, steps, report);
    // Without timings every frame would fail its size check for that one reason.
    if (!settings.timing.isZero()) {
        for (std::string& problem : FrameProblems(settings, files)) problems.push_back(problem);
    }
    CheckAudio(settings, report);
    const PacketContent packets = PrepareScenarioPackets(settings, files);
    if (IsSelected(settings.packets) && !files.packets.empty()) {
        AddProblem(PacketProblem(packets), report);
    }
    NoteMemory(ComputeMemoryBlocks(settings, files, packets), report);
}

// `outputProblem`: the interface or connector type names no output; `fileProblem`: the
// scenario file gives no scenario, so nothing else is checked.
// `ignored`: the scenario file's lines of an unknown key.
ScenarioReport CheckScenario(const ScenarioSettings& settings, const std::string& output,
                             const std::string& outputProblem, const std::string& fileProblem,
                             const std::vector<std::string>& ignored) {
    ScenarioReport report;
    if (!outputProblem.empty()) report.problems.push_back(outputProblem);
    report.problems.insert(report.problems.end(), ignored.begin(), ignored.end());
    if (!fileProblem.empty()) {
        report.problems.push_back(fileProblem);
        return report;
    }
    const SetupNotes setup = OutputSetupNotes(settings, IsHdmiOutput(output));
    report.problems.insert(report.problems.end(), setup.problems.begin(), setup.problems.end());
    report.notes = setup.notes;
    CheckContent(settings, report);
    return report;
}

// Pictures of what the scenario will play, when they were asked for. An unread scenario file
// still has its folder emptied, so that an earlier check's pictures do not pass for it.
void AddPreview(const std::string& folder, const ScenarioSettings& settings, bool readable,
                size_t number, ScenarioReport& report) {
    if (folder.empty()) return;
    const PreviewReport preview =
        WriteScenarioPreview(readable ? settings : ScenarioSettings{}, folder, number);
    report.problems.insert(report.problems.end(), preview.problems.begin(), preview.problems.end());
    report.notes.insert(report.notes.end(), preview.notes.begin(), preview.notes.end());
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

// Logs the scenario's line and what was found; true when it has no problem.
bool ReportScenario(size_t number, const std::string& path, const ScenarioReport& report) {
    const size_t count = report.problems.size();
    logText("Scenario #" + std::to_string(number) + " " + path + ": " +
            (count == 0 ? "OK" : std::to_string(count) + " problem(s)"));
    for (const std::string& problem : report.problems) LogIndented(problem);
    for (const std::string& note : report.notes) LogIndented(note);
    return count == 0;
}

// The report's message: the first line of the first problem.
std::string FirstProblem(const ScenarioReport& report) {
    if (report.problems.empty()) return {};
    const std::string& first = report.problems.front();
    return first.substr(0, first.find('\n'));
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
    runReport.failRun(problems.front().substr(0, problems.front().find('\n')));
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
    if (options.hasScenarioTriple()) {
        runReport.plan(options.scenario);
        runReport.startScenario(0);
        ScenarioFile file = loadScenarioFile(options.scenario);
        file.settings.hdmi = IsHdmiOutput(options.interface);
        const std::string fileProblem = ScenarioFileErrorLine(options.scenario, file.error);
        ScenarioReport report =
            CheckScenario(file.settings, options.interface, InterfaceProblem(options.interface),
                          fileProblem, file.ignored);
        AddPreview(previews, file.settings, fileProblem.empty(), 1, report);
        const bool ok = ReportScenario(1, options.scenario, report);
        runReport.endScenario(ok, FirstProblem(report));
        StopPoint();
        return LogSummary(1, ok ? 0 : 1);
    }
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
        const ScenarioSettings settings = EntrySettings(playlist, i);
        const std::string& fileProblem = playlist.entries[i].scenarioProblem;
        ScenarioReport report = CheckScenario(settings, playlist.connectortype, connectorProblem,
                                              fileProblem, playlist.entries[i].scenarioIgnored);
        AddPreview(previews, settings, fileProblem.empty(), i + 1, report);
        const bool ok = ReportScenario(i + 1, settings.path, report);
        runReport.endScenario(ok, FirstProblem(report));
        if (!ok) ++failed;
        StopPoint();  // a stopped check ends after the scenario it was checking
    }
    return LogSummary(playlist.entries.size(), failed, playlist.ignored.size());
}
