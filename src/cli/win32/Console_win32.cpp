#include <windows.h>

#include <atomic>

#include "cli/Console.h"

namespace sektra {
namespace {

std::atomic<bool> stopRequested{false};

// Runs on a thread the system starts for the event. TRUE: handled here; FALSE: the next
// handler (the default one ends the process).
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    return stopRequested.exchange(true) ? FALSE : TRUE;
}

}  // namespace

bool ErrorStreamIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

void InstallStopHandler() {
    stopRequested = false;
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void RemoveStopHandler() { SetConsoleCtrlHandler(OnConsoleControl, FALSE); }

bool StopRequested() { return stopRequested.load(); }

}  // namespace sektra
