#include <algorithm>

#include "log/logger.h"

bool LocalTimeNow(std::tm& local) {
    const std::time_t now = std::time(nullptr);
    return localtime_r(&now, &local) != nullptr;
}

std::FILE* OpenLogFile(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return std::fopen(native.c_str(), "a");
}
