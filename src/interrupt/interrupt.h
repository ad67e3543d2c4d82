// A run stopped from outside (Ctrl-C, a CI job's timeout, a closed terminal) still ends
// cleanly: the signal is only recorded, and the run stops at its next safe point (a device
// call, the play period's wait, the end of a checked scenario).
#pragma once

#include <cstdint>
#include <string>

enum class StopSignal {
    kNone,
    kInterrupt,     // SIGINT
    kTerminate,     // SIGTERM
    kHangUp,        // SIGHUP
    kCtrlC,         // the console's Ctrl+C
    kCtrlBreak,     // the console's Ctrl+Break
    kConsoleClose,  // the console window closing
};

// Thrown at the safe point after the stop line has been logged; the run modes catch it.
struct RunStopped {
    StopSignal signal;
};

// Installs the handlers; later signals are recorded instead of ending the process.
void InstallStopHandlers();
// The signal recorded so far; kNone when none.
StopSignal PendingStop();
// A safe point: when a signal is recorded and the stop is not yet under way, logs the stop
// line and throws RunStopped. Afterwards the clean-up's own device calls pass.
void StopPoint();
// Whether StopPoint has thrown, i.e. the run is being stopped.
bool Stopping();
// Waits `milliseconds`, returning early when a signal is recorded.
void WaitUnlessStopped(uint32_t milliseconds);
// "Interrupted by SIGINT." and its siblings.
std::string StopLine(StopSignal signal);
// Ends the process as the recorded signal would have ended it.
[[noreturn]] void EndAsStopped(StopSignal signal);

// For the platform's handlers: records the first signal and returns true; a later one
// returns false, and the handler then ends the process with the default action. Safe in a
// signal handler (a lock-free store).
bool RecordStop(StopSignal signal);
// The POSIX signal number of a stop, to hand on to a child; 0 for the console's events.
int StopSignalNumber(StopSignal signal);
