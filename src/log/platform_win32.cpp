#include <time.h>

#include "log/logger.h"

bool LocalTimeNow(std::tm& local) {
    __time64_t now = _time64(nullptr);
    return _localtime64_s(&local, &now) == 0;
}

std::FILE* OpenLogFile(const std::string& path) {
    return std::fopen(path.c_str(), "a");
}

void KeepRunningWithoutConsole() {
    // No SIGPIPE on Windows: a write to a closed pipe only fails.
}
