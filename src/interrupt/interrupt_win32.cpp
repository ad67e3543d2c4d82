#include <windows.h>

#include <cstdlib>

#include "interrupt/interrupt.h"

namespace {

// Set by the handler, so that a wait wakes at once; and set by the main thread when it
// ends, so that the handler of the console closing can return.
HANDLE gWake = nullptr;
HANDLE gEnded = nullptr;

constexpr DWORD kStatusControlCExit = 0xC000013A;
// Windows ends the process about 5 s after the console closes, or once the handler returns.
constexpr DWORD kCloseWaitMs = 4000;

BOOL WINAPI OnConsoleEvent(DWORD event) {
    StopSignal signal = StopSignal::kNone;
    if (event == CTRL_C_EVENT) signal = StopSignal::kCtrlC;
    if (event == CTRL_BREAK_EVENT) signal = StopSignal::kCtrlBreak;
    if (event == CTRL_CLOSE_EVENT) signal = StopSignal::kConsoleClose;
    // Not ours, or a second event while stopping: the default action ends the process.
    if (signal == StopSignal::kNone || !RecordStop(signal)) return FALSE;
    SetEvent(gWake);
    if (signal == StopSignal::kConsoleClose) WaitForSingleObject(gEnded, kCloseWaitMs);
    return TRUE;
}

}  // namespace

int StopSignalNumber(StopSignal) {
    return 0;
}

void InstallStopHandlers() {
    if (gWake == nullptr) gWake = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (gEnded == nullptr) gEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void WaitUnlessStopped(uint32_t milliseconds) {
    if (PendingStop() != StopSignal::kNone) return;
    if (gWake == nullptr) {
        Sleep(milliseconds);
        return;
    }
    WaitForSingleObject(gWake, milliseconds);
}

void EndAsStopped(StopSignal) {
    if (gEnded != nullptr) SetEvent(gEnded);
    ExitProcess(kStatusControlCExit);
}
