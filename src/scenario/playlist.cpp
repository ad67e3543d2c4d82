#include "scenario/playlist.h"

#include <optional>

#include "files/paths.h"
#include "files/text.h"
#include "format/output_kind.h"
#include "scenario/numbers.h"
#include "scenario/read_error.h"
#include "scenario/settings_file.h"
#include "scenario/split.h"

namespace {

enum class LineResult { kDone, kBadNumber, kNoContent };

// What the reader carries from line to line.
struct PlaylistReader {
    const std::string& path;
    const ScenarioLoader& loadScenario;
    Playlist playlist;
    std::string section;
    bool inSection = false;
    PlaylistEntry open;
    std::optional<InvalidNumber> invalidNumber;
};

bool hasContent(const PlaylistEntry& entry) {
    const ScenarioSettings& s = entry.settings;
    return !s.video.empty() || !s.audio.empty() || !s.packets.empty();
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
    }
    return LineResult::kDone;
}

LineResult scenarioPath(PlaylistReader& reader, const std::string& value) {
    ScenarioSettings settings = reader.loadScenario(resolveRelativePath(reader.path, value));
    if (settings.video.empty() && settings.audio.empty() && settings.packets.empty()) {
        return LineResult::kNoContent;
    }
    reader.open.settings = std::move(settings);
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
    }
    return LineResult::kDone;
}

// An entry without content stays open: its values carry over to the next section.
void closeEntry(PlaylistReader& reader) {
    if (!hasContent(reader.open)) return;
    reader.playlist.entries.push_back(std::move(reader.open));
    reader.open = PlaylistEntry{};
}

LineResult readLine(PlaylistReader& reader, const std::string& line, size_t lineNumber) {
    if (line.empty() || isComment(line)) return LineResult::kDone;
    if (isHeader(line)) {
        reader.section = line.substr(1, line.size() - 2);
        reader.inSection = true;
        if (reader.section == "Scenario") closeEntry(reader);
        return LineResult::kDone;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos || !reader.inSection) return LineResult::kDone;
    const std::string key = trim(line.substr(0, equals));
    const std::string value = trim(line.substr(equals + 1));
    LineResult result = LineResult::kDone;
    if (reader.section == "Device") result = deviceKey(reader, key, value);
    if (reader.section == "Scenario") result = scenarioKey(reader, key, value);
    if (result == LineResult::kBadNumber)
        reader.invalidNumber = InvalidNumber{value, key, lineNumber};
    return result;
}

}  // namespace

Playlist readPlaylistFile(const std::string& path) {
    std::string text;
    if (!readSettingsFile(path, text)) return Playlist{};
    PlaylistText parsed = parsePlaylistText(path, text, readScenarioFile);
    if (const std::optional<InvalidNumber>& bad = parsed.invalidNumber) {
        logInvalidNumber(bad->value, bad->key, path, bad->line);
    }
    return std::move(parsed.playlist);
}

PlaylistText parsePlaylistText(const std::string& path, const std::string& text,
                               const ScenarioLoader& loadScenario) {
    PlaylistReader reader{path, loadScenario, {}, {}, false, {}, {}};
    const std::vector<std::string> lines = splitPieces(text, '\n');
    for (size_t i = 0; i < lines.size(); ++i) {
        // A bad number or a scenario without content leaves nothing usable.
        if (readLine(reader, trim(lines[i]), i + 1) != LineResult::kDone) {
            return PlaylistText{{}, std::move(reader.invalidNumber)};
        }
    }
    closeEntry(reader);
    // The device is opened with the last connector type the file names, wherever it stands.
    const bool hdmi = IsHdmiOutput(reader.playlist.connectortype);
    for (PlaylistEntry& entry : reader.playlist.entries) entry.settings.hdmi = hdmi;
    return PlaylistText{std::move(reader.playlist), {}};
}
