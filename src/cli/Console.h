#pragma once
// The console around a run: whether the progress line can be drawn, and Ctrl+C.
namespace sektra {

// True when standard error is a terminal (a console on Windows), not a file or a pipe.
bool ErrorStreamIsTerminal();

// From Install to Remove the first Ctrl+C (SIGINT or SIGTERM natively) only asks the run to
// stop, which it does after the command in flight; a second one ends the program as usual.
void InstallStopHandler();
void RemoveStopHandler();
bool StopRequested();

}  // namespace sektra
