#include "app/options.h"

#include <algorithm>

#include "log/logger.h"
#include "version.h"

ArgumentMap::ArgumentMap(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.empty()) continue;
        if (argument[0] != '-' && argument != "/?") continue;
        std::string value;
        if (i + 1 < argc && argv[i + 1][0] != '-') value = argv[++i];
        keys_.emplace(argument, value);  // the first occurrence wins
        order_.push_back(argument);
    }
}

bool ArgumentMap::has(const std::string& key) const {
    return !key.empty() && keys_.count(key) != 0;
}

bool ArgumentMap::valueOf(const std::string& key, std::string& value) const {
    if (key.empty()) return false;
    const auto found = keys_.find(key);
    if (found == keys_.end() || found->second.empty()) return false;
    value = found->second;
    return true;
}

namespace {

constexpr const char* kKnownKeys[] = {
    "-h",
    "--help",
    "/?",
    "--playlist",
    "--scenario",
    "--play",
    "--source-sn",
    "--interface",
    "--sink-sn",
    "--capture-folder",
    "--reset-sink-before-capture",
    "--edid",
    "--verbose",
    "--check",
    "--preview",
    "--report",
    "--list-devices",
    "--sink",
};

}  // namespace

std::string ArgumentMap::firstUnknownKey() const {
    for (const std::string& key : order_) {
        if (std::find(std::begin(kKnownKeys), std::end(kKnownKeys), key) == std::end(kKnownKeys)) {
            return key;
        }
    }
    return {};
}

namespace {

// The keys that may go together; each new key names what it goes with.
bool IsValidCombination(const ArgumentMap& arguments, const CommandLineOptions& options) {
    if (options.listDevices) return arguments.size() == 1;
    const bool edid = !options.edidPath.empty();
    const bool playlist = !options.playlist.empty();
    if (playlist == options.hasScenarioTriple() && !edid) return false;
    if (options.check && (options.play || edid)) return false;
    if (arguments.has("--report") && (options.reportPath.empty() || options.play || edid)) {
        return false;
    }
    if (arguments.has("--sink") && (options.sinkEdidPath.empty() || !options.check)) return false;
    return !arguments.has("--preview") || (!options.previewFolder.empty() && options.check);
}

}  // namespace

bool ParseOptions(const ArgumentMap& arguments, CommandLineOptions& options) {
    options = CommandLineOptions{};
    arguments.valueOf("--source-sn", options.sourceSerialNumber);
    arguments.valueOf("--sink-sn", options.sinkSerialNumber);
    arguments.valueOf("--interface", options.interface);
    arguments.valueOf("--playlist", options.playlist);
    arguments.valueOf("--scenario", options.scenario);
    arguments.valueOf("--capture-folder", options.captureFolder);
    arguments.valueOf("--report", options.reportPath);
    arguments.valueOf("--preview", options.previewFolder);
    arguments.valueOf("--sink", options.sinkEdidPath);
    options.resetSinkBeforeCapture = arguments.has("--reset-sink-before-capture");
    options.play = arguments.has("--play");
    options.check = arguments.has("--check");
    options.listDevices = arguments.has("--list-devices");
    if (arguments.has("--edid") && !arguments.valueOf("--edid", options.edidPath)) {
        options.edidPath = "Edid.bin";
    }
    return IsValidCombination(arguments, options);
}

void PrintUsage() {
    // clang-format off
    static const char* const kLines[] = {
        "Uploads data and setups KVX device into streaming mode according to provided playlist files.",
        "",
        "Required parameters: --playlist OR --scenario OR --play:",
        "  --playlist [VALUE]\t\tSpecifies file path to playlist file.",
        "  --scenario [VALUE]\t\tSpecifies file path to scenario file.",
        "  --play\t\t\tStarts playback with previously loaded content.",
        "",
        "Optional parameters:",
        "  --source-sn [SN]\t\tSerial number of the Source device.",
        "  --verbose\t\t\tTurns on verbose logging.",
        "  --check\t\t\tChecks the scenarios without a device; uploads nothing.",
        "  --preview [DIR]\t\tWrites each frame as the device will get it into DIR (with --check).",
        "  --sink [FILE]\t\tChecks each scenario against the sink's EDID in FILE (with --check).",
        "  --report [FILE]\t\tWrites a JUnit XML report of the run into FILE.",
        "  --list-devices\t\tLists the devices and outputs the library reports.",
        "",
        "Test automation parameters:",
        "  --sink-sn [SN]\t\tSerial number of the Sink device.",
        "  --capture-folder [VALUE]\tSpecifies file path to store captured content.",
        "  --interface [INF]\t\tHDMI or DisplayPort.",
        "  --reset-sink-before-capture\tResets the Sink device when starting capture application.",
        "",
    };
    // clang-format on
    for (const char* line : kLines) logText(line);
}

void PrintVersionBanner() {
    Logger::instance().log("Tavrel command line utility, version %s", TAVREL_VERSION);
    Logger::instance().log("Binary build date: %s %s", __DATE__, __TIME__);
    logText("");
}
