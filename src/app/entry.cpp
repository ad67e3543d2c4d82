#include "app/entry.h"

#include <exception>

#include "app/options.h"
#include "app/run_modes.h"
#include "app/run_report.h"
#include "device/library.h"
#include "device/output_setup.h"
#include "device/upload_callback.h"
#include "files/paths.h"
#include "interrupt/interrupt.h"
#include "log/logger.h"
#include "upload/upload_scenario.h"

namespace {

void ConfigureLogger() {
    LogSettings settings;
    settings.folder = ".";
    settings.fileName = "TavrelCmd_" + LogFileTimeStamp() + "_log.txt";
    Logger::instance().configure(settings);
}

// The playlist or scenario file the request names.
const std::string& NamedFile(const CommandLineOptions& options) {
    return options.hasScenarioTriple() ? options.scenario : options.playlist;
}

// The file the request names must exist (a folder passes too).
bool NamedFileExists(const CommandLineOptions& options, RunReport& report) {
    if (!options.edidPath.empty()) return true;
    const std::string& path = NamedFile(options);
    if (fileExists(path)) return true;
    const std::string message = std::string(options.hasScenarioTriple() ? "Scenario" : "Playlist") +
                                " file " + path + " does not exist!";
    logText(message);
    logText("");
    report.failRun(message);  // the usage text follows it
    return false;
}

bool RunMode(const CommandLineOptions& options, RunReport& report) {
    if (!options.edidPath.empty()) return RunEdidOnly(options);
    if (options.hasScenarioTriple()) return RunScenario(options, report);
    return RunPlaylist(options, report);
}

int RunChosenMode(const CommandLineOptions& options, RunReport& report) {
    if (!NamedFileExists(options, report)) {
        PrintUsage();
        return 1;
    }
    // The check needs no device: the library is not even initialised.
    if (options.check) return RunCheck(options, report) ? 0 : 1;
    if (!InitLibrary()) {
        report.failRun(kLibraryInitFailed);
        return 1;
    }
    UploadCallback() = [](const ScenarioSettings& settings, const ContentPlan& plan) {
        return UploadScenario(settings, plan);
    };
    std::string error;
    const int code =
        RunWithLibrary([&options, &report] { return RunMode(options, report); }, &error);
    if (!error.empty()) report.failCurrent(error);
    return code;
}

// Called inside a handler: logs the exception being handled and returns the line.
std::string LogCurrentException() {
    std::string line = "Fatal: unexpected error";
    try {
        throw;
    } catch (const std::exception& error) {
        line = std::string("Fatal: ") + error.what();
    } catch (...) {
    }
    logText(line);
    return line;
}

// A playlist or scenario run, or a check, stops at a safe point when it is interrupted;
// reading the EDID, starting playback and listing the devices end at once, as ever.
bool StopsAtSafePoints(const CommandLineOptions& options) {
    return !options.listDevices && options.edidPath.empty() && !options.play;
}

// The mode, then one more safe point, so that a signal that came after the mode's last one
// still counts; a stopped run fails its report with the stop line.
int RunAndReport(const CommandLineOptions& options, RunReport& report) {
    int code = 1;
    try {
        code = RunChosenMode(options, report);
        StopPoint();
    } catch (const RunStopped&) {
        code = 1;
    } catch (...) {
        report.failCurrent(LogCurrentException());
    }
    if (Stopping()) report.failCurrent(StopLine(PendingStop()));
    return report.write(code == 0) ? code : 1;
}

int RunRequest(int argc, const char* const* argv) {
    ConfigureLogger();
    PrintVersionBanner();
    const ArgumentMap arguments(argc, argv);
    if (arguments.empty()) {
        PrintUsage();
        return 1;
    }
    if (arguments.has("-h") || arguments.has("--help") || arguments.has("/?")) {
        PrintUsage();
        return 0;
    }
    if (const std::string unknown = arguments.firstUnknownKey(); !unknown.empty()) {
        Logger::instance().log("Unknown key '%s'.", unknown.c_str());
        logText("");
        PrintUsage();
        return 1;
    }
    CommandLineOptions options;
    if (!ParseOptions(arguments, options)) {
        Logger::instance().log("Incorrect or absent required keys!");
        logText("");
        PrintUsage();
        return 1;
    }
    if (options.listDevices) {
        if (!InitLibrary()) return 1;
        return RunWithLibrary(RunListDevices);
    }
    if (StopsAtSafePoints(options)) InstallStopHandlers();
    // The report is written whatever the run's outcome, so its file is tested first.
    RunReport report(options.reportPath, NamedFile(options));
    if (!report.begin()) return 1;
    const int code = RunAndReport(options, report);
    if (PendingStop() != StopSignal::kNone) EndAsStopped(PendingStop());
    return code;
}

}  // namespace

int RunWithLibrary(const std::function<bool()>& mode, std::string* error) {
    bool ok = false;
    try {
        ok = mode();
    } catch (const RunStopped&) {
        // Left as after a playlist's last scenario: nothing plays on.
        if (DeviceOpened()) ResetOutput();
    } catch (...) {
        const std::string line = LogCurrentException();
        if (error != nullptr) *error = line;
    }
    CloseLibrary();
    return ok ? 0 : 1;
}

int RunTavrelCmd(int argc, const char* const* argv) {
    try {
        return RunRequest(argc, argv);
    } catch (...) {
        LogCurrentException();
    }
    return 1;
}
