// Small text helpers shared by the readers and the modules that look into names:
// trimming, searching and splitting.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Without leading and trailing white space.
std::string trim(const std::string& text);

// True when `part` occurs anywhere in `text`.
inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// The pieces between occurrences of `separator`, as a line reader yields them:
// empty pieces between two separators or before a leading one are kept, a
// separator at the very end adds no piece, and an empty text yields none.
std::vector<std::string> splitPieces(const std::string& text, char separator);

// Pieces between separators; empty pieces are dropped, and a trailing ";" is cut off a piece
// (which then stays even when empty).
std::vector<std::string> SplitText(const std::string& text, const std::string& separator);

// The same pieces as views into `text`, handed to `visit` in order while it returns true.
// Returns false when a visit did. Nothing is copied, so long texts cost no allocations.
template <typename Visit>
bool forEachPiece(std::string_view text, char separator, Visit&& visit) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t next = text.find(separator, start);
        const size_t end = next == std::string_view::npos ? text.size() : next;
        if (!visit(text.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}
