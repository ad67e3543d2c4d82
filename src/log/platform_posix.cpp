#include <algorithm>
#include <csignal>

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

namespace {

void IgnoreBrokenPipe(int) {}

}  // namespace

void KeepRunningWithoutConsole() {
    // A handler rather than SIG_IGN: the handler is reset on exec, so the commands the
    // program starts still get the default SIGPIPE behaviour.
    struct sigaction action {};
    action.sa_handler = IgnoreBrokenPipe;
    sigemptyset(&action.sa_mask);
    sigaction(SIGPIPE, &action, nullptr);
}
