#include "scenario/read_error.h"

#include "log/logger.h"

namespace {

constexpr size_t kShownValueBytes = 64;

}  // namespace

std::string ShownValue(const std::string& value) {
    return value.size() > kShownValueBytes ? value.substr(0, kShownValueBytes) + "..." : value;
}

void logInvalidNumber(const std::string& value, const std::string& key, const std::string& path,
                      size_t lineNumber) {
    const std::string shown = ShownValue(value);
    Logger::instance().log("Invalid number '%s' for key '%s' in %s, line %u.", shown.c_str(),
                           key.c_str(), path.c_str(), static_cast<unsigned>(lineNumber));
}
