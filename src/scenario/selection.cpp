#include "scenario/selection.h"

bool IsSelected(const std::string& field) {
    return !field.empty() && field.find("not selected") == std::string::npos;
}
