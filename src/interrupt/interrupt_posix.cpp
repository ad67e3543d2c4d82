#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>

#include "interrupt/interrupt.h"

namespace {

// The handler writes a byte here, so that a wait in poll() wakes at once.
int gWake[2] = {-1, -1};

StopSignal FromNumber(int number) {
    if (number == SIGINT) return StopSignal::kInterrupt;
    if (number == SIGTERM) return StopSignal::kTerminate;
    return StopSignal::kHangUp;
}

void OnSignal(int number) {
    if (!RecordStop(FromNumber(number))) {
        // A second signal while stopping: a device call that hangs can still be left.
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    const int saved = errno;
    if (gWake[1] >= 0) (void)!write(gWake[1], "s", 1);
    errno = saved;
}

}  // namespace

int StopSignalNumber(StopSignal signal) {
    switch (signal) {
        case StopSignal::kInterrupt:
            return SIGINT;
        case StopSignal::kTerminate:
            return SIGTERM;
        case StopSignal::kHangUp:
            return SIGHUP;
        default:
            return 0;
    }
}

void InstallStopHandlers() {
    if (gWake[0] < 0 && pipe(gWake) == 0) {
        for (int fd : gWake) {
            fcntl(fd, F_SETFD, FD_CLOEXEC);
            fcntl(fd, F_SETFL, O_NONBLOCK);
        }
    }
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    // Restarted calls: file reads and console writes must not fail because of the signal.
    action.sa_flags = SA_RESTART;
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start (nohup, a background job) stays ignored.
        struct sigaction before {};
        if (sigaction(number, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
        sigaction(number, &action, nullptr);
    }
}

void WaitUnlessStopped(uint32_t milliseconds) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (PendingStop() == StopSignal::kNone) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return;
        pollfd wake{gWake[0], POLLIN, 0};
        // Without handlers (gWake[0] < 0) poll only sleeps.
        poll(&wake, gWake[0] < 0 ? 0 : 1, static_cast<int>(std::min<long long>(left, 1 << 30)));
    }
}

void EndAsStopped(StopSignal signal) {
    const int number = StopSignalNumber(signal);
    std::signal(number, SIG_DFL);
    std::raise(number);
    std::_Exit(128 + number);  // only if the signal is blocked
}
