#pragma once

#include <string>
#include <vector>

// The pieces between occurrences of `separator`, as a line reader yields them:
// empty pieces between two separators or before a leading one are kept, a
// separator at the very end adds no piece, and an empty text yields none.
std::vector<std::string> splitPieces(const std::string& text, char separator);
