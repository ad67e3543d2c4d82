// Small text helpers shared by the readers and the modules that look into names.
#pragma once

#include <string>
#include <string_view>

// Without leading and trailing white space.
std::string trim(const std::string& text);

// True when `part` occurs anywhere in `text`.
inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}
