// A playlist: the device to drive and the scenarios to play on it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scenario/read_error.h"
#include "scenario/scenario.h"

struct PlaylistEntry {
    uint32_t period = 0;  // milliseconds
    bool closeAfterUpload = false;
    ScenarioSettings settings;
    std::string caption;
    std::string executeAfterUpload;
    // Kept only when unread scenarios are kept: the line naming the file and why it gives
    // no scenario (its `settings` are then the defaults, with the file's path).
    std::string scenarioProblem;
    // The scenario file's lines of an unknown key.
    std::vector<std::string> scenarioIgnored;
};

struct Playlist {
    std::string serialnumber;
    std::string connectortype;
    std::vector<PlaylistEntry> entries;
    bool reset = false;
    bool strict = true;
    // The playlist's own lines of an unknown key or section (in a check of a playlist
    // refused as a whole, those of its scenario files too).
    std::vector<std::string> ignored;
    // Filled at run time from the command line and the opened device.
    std::string sinkSerialNumber;
    std::string interface;
    std::string deviceName;
    bool sinkResetBeforeCapture = false;
    std::string captureFolder;
    std::string setupMessage;

    bool isUsable() const {
        return !serialnumber.empty() && !connectortype.empty() && !entries.empty();
    }
};

// What to do with a scenario file that gives no scenario: the run stops at it, the check
// keeps it as an entry with its problem and reads on. The run also warns about the lines
// the readers ignore as it reads them, while the check keeps them for its report.
enum class UnreadScenarios { kStop, kKeep };

// The settings entry `index` runs with, in the run and in the check: its scenario's, with
// `strict` from the playlist and `hdmi` from the output the playlist drives.
ScenarioSettings EntrySettings(const Playlist& playlist, size_t index);
// A scenario's settings on the output named `output` (a connector type or an interface):
// `hdmi` says whether it is HDMI. The one rule of the run modes and the check.
ScenarioSettings OnOutput(ScenarioSettings settings, const std::string& output);

// Reads a playlist and every scenario it names. Any failure gives an empty playlist; an
// invalid number is logged, and so is a scenario file that gives no scenario.
Playlist readPlaylistFile(const std::string& path, UnreadScenarios unread = UnreadScenarios::kStop);

// Gives the scenario at a path the playlist names, resolved against the playlist's folder.
using ScenarioLoader = std::function<ScenarioFile(const std::string& path)>;

struct PlaylistText {
    Playlist playlist;  // empty on any failure
    std::optional<InvalidNumber> invalidNumber;
    // The scenario file it stopped at, named with the reason; empty when the scenario
    // reader's own line names both (an invalid number, a file too large).
    std::string scenarioProblem;
    // The ignored lines of the playlist and its scenario files, in the order they were read.
    std::vector<std::string> ignored;
};

// The parser behind readPlaylistFile; it reads no file itself. `path` is the playlist's
// path as given (for resolving scenario paths), `text` its content.
PlaylistText parsePlaylistText(const std::string& path, const std::string& text,
                               const ScenarioLoader& loadScenario,
                               UnreadScenarios unread = UnreadScenarios::kStop);
