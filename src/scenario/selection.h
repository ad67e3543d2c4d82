// Whether a content path of a scenario names something to play.
#pragma once

#include <string>

// Not empty and not marked "not selected".
bool IsSelected(const std::string& field);
