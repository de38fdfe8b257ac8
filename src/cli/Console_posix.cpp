#include "cli/Console.h"

#include <csignal>
#include <unistd.h>

namespace sektra {
namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void OnStopSignal(int) { stopRequested = 1; }

void SetHandlers(void (*handler)(int), int flags) {
    struct sigaction action = {};
    action.sa_handler = handler;
    action.sa_flags = flags;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

bool ErrorStreamIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void InstallStopHandler() {
    stopRequested = 0;
    // SA_RESETHAND: the handler serves once, so a second signal ends the program.
    SetHandlers(OnStopSignal, SA_RESETHAND);
}

void RemoveStopHandler() { SetHandlers(SIG_DFL, 0); }

bool StopRequested() { return stopRequested != 0; }

}  // namespace sektra
