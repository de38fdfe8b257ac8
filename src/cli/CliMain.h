#pragma once
// The runner as a function of its arguments and surroundings, so that tests run it in-process
// on the demo set with a virtual clock.
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/Targets.h"

namespace sektra {

class SystemServices;

// Exit statuses.
constexpr int kExitFinished = 0;
constexpr int kExitFailed = 1;   // the test or a device command failed, or the run was stopped
constexpr int kExitUsage = 2;
constexpr int kExitRefused = 3;  // a writing test without the confirmation, or on a drive it must not write

struct CliEnvironment {
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    TargetContext targets;
    SystemServices* services = nullptr;  // clock, wall time and buffers of the test threads
    bool progressLine = false;           // draw the progress line on `err`
    bool handleCtrlC = false;            // install the console's stop handler during a run
    bool (*stopRequested)() = nullptr;   // asked during a run; null: never
};

// `arguments` excludes the program's name. Returns the exit status.
int RunCli(const std::vector<std::string>& arguments, CliEnvironment& environment);

// RunCli as the program: standard output and error, the demo set on the real clock, the
// system's clocks, Ctrl+C and the progress line on a terminal (ConsoleProgram.cpp).
int RunConsoleProgram(const std::vector<std::string>& arguments);

// run: the steps between the parsed command line and the engine (RunCommand.cpp).
int RunTestCommand(const CliOptions& options, CliEnvironment& environment);

// Writes `text` to the file `path`, or to `out` when path is "-"; false when it cannot.
bool WriteOutput(const std::string& path, const std::string& text, std::ostream& out);

}  // namespace sektra
