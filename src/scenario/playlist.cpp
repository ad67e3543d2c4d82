#include "scenario/playlist.h"

#include <optional>

#include "files/paths.h"
#include "files/text.h"
#include "format/output_kind.h"
#include "log/logger.h"
#include "scenario/numbers.h"
#include "scenario/read_error.h"
#include "scenario/settings_file.h"

namespace {

enum class LineResult { kDone, kUnknownKey, kBadNumber, kNoContent };

// What the reader carries from line to line.
struct PlaylistReader {
    const std::string& path;
    const ScenarioLoader& loadScenario;
    UnreadScenarios unread;
    Playlist playlist;
    std::string section;
    bool inSection = false;
    PlaylistEntry open;
    std::optional<InvalidNumber> invalidNumber;
    std::string scenarioProblem;       // the scenario it stopped at
    IgnoredLines ignored;              // the playlist's own
    std::vector<std::string> inOrder;  // the playlist's and its scenario files'
};

bool hasContent(const ScenarioSettings& s) {
    return !s.video.empty() || !s.audio.empty() || !s.packets.empty();
}

// A kept entry with a problem counts as content, so the check reports it.
bool hasContent(const PlaylistEntry& entry) {
    return hasContent(entry.settings) || !entry.scenarioProblem.empty();
}

bool isComment(const std::string& line) {
    return line[0] == ';' || line[0] == '#' || line.compare(0, 2, "//") == 0;
}

bool isHeader(const std::string& line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

// Outputs are listed by the device as "... TX"; users write "... Out".
std::string outputName(const std::string& value) {
    std::string name;
    size_t start = 0;
    for (size_t found = value.find("Out"); found != std::string::npos;
         found = value.find("Out", start)) {
        name.append(value, start, found - start).append("TX");
        start = found + 3;
    }
    return name.append(value, start, std::string::npos);
}

LineResult deviceKey(PlaylistReader& reader, const std::string& key, const std::string& value) {
    Playlist& playlist = reader.playlist;
    uint64_t number = 0;
    if (key == "serialnumber") {
        playlist.serialnumber = value;
    } else if (key == "connectortype") {
        playlist.connectortype = outputName(value);
    } else if (key == "reset" || key == "strict") {
        if (!parseUnsigned64(value, number)) return LineResult::kBadNumber;
        if (key == "reset") playlist.reset = number == 1;
        if (key == "strict") playlist.strict = number != 0;
    } else {
        return LineResult::kUnknownKey;
    }
    return LineResult::kDone;
}

LineResult scenarioPath(PlaylistReader& reader, const std::string& value) {
    const std::string path = resolveRelativePath(reader.path, value);
    ScenarioFile file = reader.loadScenario(path);
    reader.open.scenarioProblem.clear();
    reader.open.scenarioIgnored = file.ignored;
    reader.inOrder.insert(reader.inOrder.end(), file.ignored.begin(), file.ignored.end());
    if (!hasContent(file.settings)) {
        if (file.error == ScenarioFileError::kNone) file.error = ScenarioFileError::kNoContent;
        std::string problem = ScenarioFileErrorLine(path, file.error);
        if (reader.unread == UnreadScenarios::kStop) {
            if (!ScenarioFileErrorLogged(file.error)) reader.scenarioProblem = std::move(problem);
            return LineResult::kNoContent;
        }
        file.settings.path = path;
        reader.open.scenarioProblem = std::move(problem);
    }
    reader.open.settings = std::move(file.settings);
    return LineResult::kDone;
}

LineResult scenarioKey(PlaylistReader& reader, const std::string& key, const std::string& value) {
    PlaylistEntry& entry = reader.open;
    uint64_t number = 0;
    if (key == "path") return scenarioPath(reader, value);
    if (key == "period") {
        if (!parseUnsigned32(value, entry.period)) return LineResult::kBadNumber;
    } else if (key == "close-after-upload") {
        if (!parseUnsigned64(value, number)) return LineResult::kBadNumber;
        entry.closeAfterUpload = number == 1;
    } else if (key == "execute-after-upload") {
        entry.executeAfterUpload = value;
    } else if (key == "caption") {
        entry.caption = value;
    } else {
        return LineResult::kUnknownKey;
    }
    return LineResult::kDone;
}

// An entry without content stays open: its values carry over to the next section.
void closeEntry(PlaylistReader& reader) {
    if (!hasContent(reader.open)) return;
    reader.playlist.entries.push_back(std::move(reader.open));
    reader.open = PlaylistEntry{};
}

bool isKnownSection(const std::string& section) {
    return section == "Device" || section == "Scenario";
}

void keepInOrder(PlaylistReader& reader, std::string text) {
    if (!text.empty()) reader.inOrder.push_back(std::move(text));
}

// The ignored lines of the playlist and of its scenario files, in the order they were read.
std::vector<std::string> ignoredInOrder(PlaylistReader& reader) {
    keepInOrder(reader, reader.ignored.moreText());
    return std::move(reader.inOrder);
}

LineResult readLine(PlaylistReader& reader, const std::string& line, size_t lineNumber) {
    if (line.empty() || isComment(line)) return LineResult::kDone;
    if (isHeader(line)) {
        reader.section = line.substr(1, line.size() - 2);
        reader.inSection = true;
        if (reader.section == "Scenario") closeEntry(reader);
        if (!isKnownSection(reader.section)) {
            keepInOrder(reader, reader.ignored.unknownSection(line, reader.path, lineNumber));
        }
        return LineResult::kDone;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return LineResult::kDone;
    const std::string key = trim(line.substr(0, equals));
    const std::string value = trim(line.substr(equals + 1));
    LineResult result = LineResult::kUnknownKey;
    if (reader.section == "Device") result = deviceKey(reader, key, value);
    if (reader.section == "Scenario") result = scenarioKey(reader, key, value);
    // An unknown section's keys are ignored with it, not one by one.
    if (result == LineResult::kUnknownKey) {
        if (!reader.inSection || isKnownSection(reader.section)) {
            keepInOrder(reader, reader.ignored.unknownKey(key, reader.path, lineNumber));
        }
        return LineResult::kDone;
    }
    if (result == LineResult::kBadNumber)
        reader.invalidNumber = InvalidNumber{value, key, lineNumber};
    return result;
}

}  // namespace

Playlist readPlaylistFile(const std::string& path, UnreadScenarios unread) {
    std::string text;
    if (!readSettingsFile(path, text)) return Playlist{};
    PlaylistText parsed = parsePlaylistText(path, text, loadScenarioFile, unread);
    if (unread == UnreadScenarios::kStop) logIgnoredLines(parsed.ignored);
    // A refused playlist keeps no entry: the check then shows every ignored line as its own.
    if (unread == UnreadScenarios::kKeep && !parsed.playlist.isUsable()) {
        parsed.playlist.ignored = parsed.ignored;
    }
    if (const std::optional<InvalidNumber>& bad = parsed.invalidNumber) {
        logInvalidNumber(bad->value, bad->key, path, bad->line);
    }
    if (!parsed.scenarioProblem.empty()) logText(parsed.scenarioProblem);
    return std::move(parsed.playlist);
}

PlaylistText parsePlaylistText(const std::string& path, const std::string& text,
                               const ScenarioLoader& loadScenario, UnreadScenarios unread) {
    PlaylistReader reader{path, loadScenario, unread, {}, {}, false, {}, {}, {}, {}, {}};
    const std::vector<std::string> lines = splitPieces(text, '\n');
    for (size_t i = 0; i < lines.size(); ++i) {
        // A bad number or a scenario without content leaves nothing usable.
        if (readLine(reader, trim(lines[i]), i + 1) != LineResult::kDone) {
            return PlaylistText{{},
                                std::move(reader.invalidNumber),
                                std::move(reader.scenarioProblem),
                                ignoredInOrder(reader)};
        }
    }
    closeEntry(reader);
    reader.playlist.ignored = reader.ignored.texts();
    return PlaylistText{std::move(reader.playlist), {}, {}, ignoredInOrder(reader)};
}

ScenarioSettings OnOutput(ScenarioSettings settings, const std::string& output) {
    settings.hdmi = IsHdmiOutput(output);
    return settings;
}

ScenarioSettings EntrySettings(const Playlist& playlist, size_t index) {
    ScenarioSettings settings = playlist.entries[index].settings;
    settings.strict = playlist.strict;
    // The device is opened with the last connector type the file names, wherever it stands.
    return OnOutput(std::move(settings), playlist.connectortype);
}
