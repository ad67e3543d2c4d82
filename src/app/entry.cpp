#include "app/entry.h"

#include <exception>

#include "app/options.h"
#include "app/run_modes.h"
#include "device/library.h"
#include "device/upload_callback.h"
#include "files/paths.h"
#include "log/logger.h"
#include "upload/upload_scenario.h"

namespace {

void ConfigureLogger() {
    LogSettings settings;
    settings.folder = ".";
    settings.fileName = "TavrelCmd_" + LogFileTimeStamp() + "_log.txt";
    Logger::instance().configure(settings);
}

// The file the request names must exist (a folder passes too).
bool NamedFileExists(const CommandLineOptions& options) {
    if (!options.edidPath.empty()) return true;
    const bool scenario = options.hasScenarioTriple();
    const std::string& path = scenario ? options.scenario : options.playlist;
    if (fileExists(path)) return true;
    Logger::instance().log("%s file %s does not exist!", scenario ? "Scenario" : "Playlist",
                           path.c_str());
    logText("");
    return false;
}

bool RunMode(const CommandLineOptions& options) {
    if (!options.edidPath.empty()) return RunEdidOnly(options);
    if (options.hasScenarioTriple()) return RunScenario(options);
    return RunPlaylist(options);
}

// Called inside a handler: logs the exception being handled.
void LogCurrentException() {
    try {
        throw;
    } catch (const std::exception& error) {
        Logger::instance().log("Fatal: %s", error.what());
    } catch (...) {
        Logger::instance().log("Fatal: unexpected error");
    }
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
    CommandLineOptions options;
    if (!ParseOptions(arguments, options)) {
        Logger::instance().log("Incorrect or absent required keys!");
        logText("");
        PrintUsage();
        return 1;
    }
    if (!NamedFileExists(options)) {
        PrintUsage();
        return 1;
    }
    // The check needs no device: the library is not even initialised.
    if (options.check) return RunCheck(options) ? 0 : 1;
    if (!InitLibrary()) return 1;
    UploadCallback() = [](ScenarioSettings settings) {
        return UploadScenario(std::move(settings));
    };
    return RunWithLibrary([&options] { return RunMode(options); });
}

}  // namespace

int RunWithLibrary(const std::function<bool()>& mode) {
    bool ok = false;
    try {
        ok = mode();
    } catch (...) {
        LogCurrentException();
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
