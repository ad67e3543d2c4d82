#include "scenario/read_error.h"

#include "log/logger.h"

void logInvalidNumber(const std::string& value, const std::string& key, const std::string& path,
                      size_t lineNumber) {
    Logger::instance().log("Invalid number '%s' for key '%s' in %s, line %u.", value.c_str(),
                           key.c_str(), path.c_str(), static_cast<unsigned>(lineNumber));
}
