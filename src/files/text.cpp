#include "files/text.h"

#include <algorithm>

std::string trim(const std::string& text) {
    const char* blanks = " \t\n\v\f\r";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

std::vector<std::string> splitPieces(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start < text.size()) {
        const size_t next = text.find(separator, start);
        if (next == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, next - start));
        start = next + 1;
    }
    return pieces;
}

std::vector<std::string> SplitText(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    // An empty separator would never advance: the text is one piece.
    const size_t step = std::max<size_t>(separator.size(), 1);
    size_t position = 0;
    while (position < text.size()) {
        const size_t next = separator.empty() ? std::string::npos : text.find(separator, position);
        std::string piece =
            text.substr(position, next == std::string::npos ? std::string::npos : next - position);
        if (!piece.empty()) {
            if (piece.back() == ';') piece.pop_back();
            pieces.push_back(piece);
        }
        if (next == std::string::npos) break;
        position = next + step;
    }
    return pieces;
}
