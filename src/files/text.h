// Small text tests shared by the readers and the modules that look into names.
#pragma once

#include <string>
#include <string_view>

// True when `part` occurs anywhere in `text`.
inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}
