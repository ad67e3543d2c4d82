#include "scenario/split.h"

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
