#include "scenario/scenario.h"

#include <string_view>

#include "files/paths.h"
#include "files/text.h"
#include "scenario/numbers.h"
#include "scenario/read_error.h"
#include "scenario/settings_file.h"

namespace {

// Applies one value to its field; false when a number cannot be read.
using ApplyValue = bool (*)(ScenarioSettings& settings, const std::string& value);

struct KeyRule {
    std::string_view key;
    ApplyValue apply;
};

// Trailing ";" are dropped; the whole value is then joined to the scenario's folder.
std::string contentPath(const ScenarioSettings& settings, const std::string& value) {
    const size_t last = value.find_last_not_of(';');
    const std::string kept = last == std::string::npos ? std::string() : value.substr(0, last + 1);
    return resolveRelativePath(settings.path, kept);
}

uint32_t hdcpVersion(const std::string& value) {
    if (value.find("v2") != std::string::npos) return 2;
    if (value.find("v1") != std::string::npos) return 1;
    return 0;
}

// Flags written as a number switch on its lowest bit.
template <typename Number, bool (*Parse)(std::string_view, Number&)>
bool lowestBit(const std::string& value, bool& flag) {
    Number number = 0;
    if (!Parse(value, number)) return false;
    flag = (number & 1) != 0;
    return true;
}

bool signedLowestBit(const std::string& value, bool& flag) {
    return lowestBit<int32_t, parseSigned32>(value, flag);
}

bool unsignedLowestBit(const std::string& value, bool& flag) {
    return lowestBit<uint32_t, parseUnsigned32>(value, flag);
}

bool nonZero(const std::string& value, bool& flag) {
    int32_t number = 0;
    if (!parseSigned32(value, number)) return false;
    flag = number != 0;
    return true;
}

// Fields that take any value.
template <typename Field>
bool assign(Field& field, const Field& value) {
    field = value;
    return true;
}

using S = ScenarioSettings;
using V = std::string;

const KeyRule kKeyRules[] = {
    {"video", [](S& s, const V& v) { return assign(s.video, contentPath(s, v)); }},
    {"audio", [](S& s, const V& v) { return assign(s.audio, contentPath(s, v)); }},
    {"packets", [](S& s, const V& v) { return assign(s.packets, contentPath(s, v)); }},
    {"porder", [](S& s, const V& v) { return assign(s.porder, v); }},
    {"mapping", [](S& s, const V& v) { return assign(s.mapping, v); }},
    {"colorspace", [](S& s, const V& v) { return assign(s.colorspace, v); }},
    {"loadingRGB", [](S& s, const V& v) { return assign(s.loadingRGB, v); }},
    {"hdcp", [](S& s, const V& v) { return assign(s.hdcp, hdcpVersion(v)); }},
    {"align12", [](S& s, const V& v) { return signedLowestBit(v, s.align12); }},
    {"scrambler", [](S& s, const V& v) { return signedLowestBit(v, s.scrambler); }},
    {"audioswap", [](S& s, const V& v) { return signedLowestBit(v, s.audioswap); }},
    {"audiocompressed", [](S& s, const V& v) { return signedLowestBit(v, s.audiocompressed); }},
    {"audiosync", [](S& s, const V& v) { return unsignedLowestBit(v, s.audiosync); }},
    {"strict", [](S& s, const V& v) { return nonZero(v, s.strict); }},
    {"bitspercolor", [](S& s, const V& v) { return parseUnsigned32(v, s.bitspercolor); }},
    {"audiosampling", [](S& s, const V& v) { return parseUnsigned32(v, s.audiosampling); }},
    {"audiochannels", [](S& s, const V& v) { return parseUnsigned32(v, s.audiochannels); }},
    {"audiobits", [](S& s, const V& v) { return parseUnsigned32(v, s.audiobits); }},
    {"timing.hactive", [](S& s, const V& v) { return parseUnsigned32(v, s.timing.hactive); }},
    {"timing.vactive", [](S& s, const V& v) { return parseUnsigned32(v, s.timing.vactive); }},
    {"timing.htotal", [](S& s, const V& v) { return parseUnsigned32(v, s.timing.htotal); }},
    {"timing.vtotal", [](S& s, const V& v) { return parseUnsigned32(v, s.timing.vtotal); }},
    {"timing.hstart", [](S& s, const V& v) { return parseUnsigned32(v, s.timing.hstart); }},
    {"timing.vstart", [](S& s, const V& v) { return parseUnsigned32(v, s.timing.vstart); }},
    {"timing.hsync", [](S& s, const V& v) { return parseSigned32(v, s.timing.hsync); }},
    {"timing.vsync", [](S& s, const V& v) { return parseSigned32(v, s.timing.vsync); }},
    {"timing.frate", [](S& s, const V& v) { return parseSigned32(v, s.timing.frate); }},
};

const KeyRule* findRule(std::string_view key) {
    for (const KeyRule& rule : kKeyRules) {
        if (rule.key == key) return &rule;
    }
    return nullptr;
}

}  // namespace

ScenarioSettings readScenarioFile(const std::string& path) {
    return loadScenarioFile(path).settings;
}

ScenarioFile loadScenarioFile(const std::string& path) {
    using enum ScenarioFileError;
    std::string text;
    bool tooLarge = false;
    if (!readSettingsFile(path, text, &tooLarge)) {
        return {{}, tooLarge ? kTooLarge : fileExists(path) ? kUnreadable : kMissing, {}};
    }
    IgnoredLines ignored;
    ScenarioFile file{parseScenarioText(path, text, &ignored), kNone, ignored.texts()};
    if (file.settings.path.empty()) file.error = kInvalidNumber;
    return file;
}

std::string ScenarioFileErrorLine(const std::string& path, ScenarioFileError error) {
    const char* why = "";
    switch (error) {
        case ScenarioFileError::kNone:
            return {};
        case ScenarioFileError::kNoContent:
            return "Scenario file " + path + " names no video, audio or packets.";
        case ScenarioFileError::kMissing:
            why = "it does not exist";
            break;
        case ScenarioFileError::kUnreadable:
            why = "it is not a file that can be read";
            break;
        case ScenarioFileError::kTooLarge:
            why = "it is too large";
            break;
        case ScenarioFileError::kInvalidNumber:
            why = "it holds an invalid number";
            break;
    }
    return "Scenario file " + path + " cannot be read: " + why + ".";
}

bool ScenarioFileErrorLogged(ScenarioFileError error) {
    return error == ScenarioFileError::kTooLarge || error == ScenarioFileError::kInvalidNumber;
}

ScenarioSettings parseScenarioText(const std::string& path, const std::string& text,
                                   IgnoredLines* ignored) {
    ScenarioSettings settings;
    settings.path = path;
    const std::vector<std::string> lines = splitPieces(text, '\n');
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = trim(lines[i]);
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        // The key is taken as written: a blank before "=" makes it unknown.
        const KeyRule* rule = findRule(std::string_view(line).substr(0, equals));
        if (rule == nullptr && ignored != nullptr) {
            ignored->unknownKey(line.substr(0, equals), path, i + 1);
        }
        const std::string value = line.substr(equals + 1);
        if (rule == nullptr || value.empty()) continue;
        if (!rule->apply(settings, value)) {
            logInvalidNumber(value, line.substr(0, equals), path, i + 1);
            return ScenarioSettings{};
        }
    }
    return settings;
}
