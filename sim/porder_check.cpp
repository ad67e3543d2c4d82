#include "porder_check.h"

#include <vector>

namespace hlxsim {
namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (true) {
        size_t at = text.find(separator, start);
        pieces.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return pieces;
        start = at + 1;
    }
}

bool isNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    return true;
}

// Numbers joined by `separator`: exactly `count` of them, or any positive count when 0.
bool isNumberList(std::string_view text, char separator, size_t count) {
    std::vector<std::string_view> pieces = split(text, separator);
    if (count != 0 && pieces.size() != count) return false;
    for (std::string_view piece : pieces) {
        if (!isNumber(piece)) return false;
    }
    return true;
}

bool isOneOrTwo(std::string_view text, char separator) {
    if (text.find(separator) == std::string_view::npos) return isNumber(text);
    return isNumberList(text, separator, 2);
}

bool isItem(std::string_view item) {
    if (!item.empty() && item[0] == 'p') item.remove_prefix(1);
    std::vector<std::string_view> fields = split(item, ':');
    if (fields.size() != 4) return false;
    // A "," at the end of the packet list adds no packet, as a ";" at the end adds no item.
    if (fields[2].size() > 1 && fields[2].back() == ',') fields[2].remove_suffix(1);
    return isOneOrTwo(fields[0], '-') && isNumber(fields[1]) &&
           (fields[2].empty() || isNumberList(fields[2], ',', 0)) && isOneOrTwo(fields[3], 'v');
}

}  // namespace

bool IsValidPlayingOrder(std::string_view text) {
    if (text.empty()) return true;
    if (text.back() == ';') text.remove_suffix(1);
    for (std::string_view item : split(text, ';')) {
        if (!isItem(item)) return false;
    }
    return true;
}

}  // namespace hlxsim
