#include "infoframe_description.h"

#include <map>

#include "files/text.h"
#include "infoframe_fields.h"
#include "scenario/read_error.h"

namespace {

struct Line {
    std::string value;
    size_t number = 0;
};

std::string AtLine(const std::string& path, size_t number) {
    return path + ", line " + std::to_string(number) + ": ";
}

// Every key=value line, the last of a key winning; false at a line without "=".
bool ReadLines(const std::string& path, const std::string& text, std::map<std::string, Line>& lines,
               std::string& error) {
    const std::vector<std::string> pieces = splitPieces(text, '\n');
    for (size_t i = 0; i < pieces.size(); ++i) {
        const std::string line = trim(pieces[i]);
        if (line.empty()) continue;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            error = AtLine(path, i + 1) + "not a key=value line";
            return false;
        }
        lines[line.substr(0, equals)] = {line.substr(equals + 1), i + 1};
    }
    return true;
}

}  // namespace

bool ParseInfoFrameDescription(const std::string& path, const std::string& text,
                               InfoFrameToWrite& frame, std::string& error) {
    std::map<std::string, Line> lines;
    if (!ReadLines(path, text, lines, error)) return false;
    const auto type = lines.find("type");
    const InfoFrameKind* kind =
        type == lines.end() ? nullptr : FindInfoFrameKind(type->second.value);
    if (kind == nullptr) {
        error = (type == lines.end() ? path + ": " : AtLine(path, type->second.number)) +
                "type must be " + InfoFrameKindNames();
        return false;
    }
    InfoFrameFields fields;
    for (const auto& [key, line] : lines) {
        if (key == "type") continue;
        const FieldRule* rule = FindFieldRule(*kind, key);
        if (rule == nullptr) {
            error = AtLine(path, line.number) + "unknown key '" + key + "' for type=" + kind->name;
            return false;
        }
        if (!rule->apply(line.value, fields)) {
            error = AtLine(path, line.number) + "'" + ShownValue(line.value) +
                    "' is not a value of " + key + " (" + rule->expected + ")";
            return false;
        }
    }
    frame = kind->build(fields);
    return true;
}
