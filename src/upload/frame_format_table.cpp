#include "upload/frame_format_table.h"

#include <cstdint>

#include "files/paths.h"
#include "files/text.h"

namespace {

// A format table is a handful of lines; anything this big is not one.
constexpr uint64_t kMaxFormatFileBytes = 16u << 20;

}  // namespace

FormatTable parseFormatTable(const std::string& text) {
    FormatTable table;
    for (const std::string& line : splitPieces(text, '\n')) {
        const std::vector<std::string> pieces = splitPieces(trim(line), ':');
        if (pieces.size() != 2) continue;
        table[trim(pieces[0])] = trim(pieces[1]);
    }
    return table;
}

FormatTable readFormatTable(const std::string& path) {
    std::string text;
    if (!readTextFile(path, text, kMaxFormatFileBytes)) return {};
    return parseFormatTable(text);
}

std::string FormatOf(const FormatTable& table, const std::string& name) {
    const auto found = table.find(name);
    return found == table.end() ? std::string() : found->second;
}
