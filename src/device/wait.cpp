#include "device/wait.h"

#include <chrono>
#include <thread>

void SleepMilliseconds(uint32_t milliseconds) {
    if (milliseconds == 0) return;
    // Sleep to an absolute deadline so early wake-ups do not shorten the wait.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_until(deadline);
}
