#include "interrupt/interrupt.h"

#include <atomic>

#include "log/logger.h"

namespace {

std::atomic<int> gPending{0};  // a StopSignal
std::atomic<bool> gStopping{false};

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler stores into it");

}  // namespace

bool RecordStop(StopSignal signal) {
    int none = static_cast<int>(StopSignal::kNone);
    return gPending.compare_exchange_strong(none, static_cast<int>(signal));
}

StopSignal PendingStop() {
    return static_cast<StopSignal>(gPending.load());
}

bool Stopping() {
    return gStopping.load();
}

void StopPoint() {
    const StopSignal signal = PendingStop();
    if (signal == StopSignal::kNone || gStopping.exchange(true)) return;
    logText(StopLine(signal));
    throw RunStopped{signal};
}

std::string StopLine(StopSignal signal) {
    switch (signal) {
        case StopSignal::kInterrupt:
            return "Interrupted by SIGINT.";
        case StopSignal::kTerminate:
            return "Interrupted by SIGTERM.";
        case StopSignal::kHangUp:
            return "Interrupted by SIGHUP.";
        case StopSignal::kCtrlC:
            return "Interrupted by Ctrl+C.";
        case StopSignal::kCtrlBreak:
            return "Interrupted by Ctrl+Break.";
        case StopSignal::kConsoleClose:
            return "Interrupted by the console closing.";
        case StopSignal::kNone:
            break;
    }
    return {};
}
