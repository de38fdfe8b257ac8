// The runner as a program: the demo set on the real clock, the system's clocks and buffers,
// the console's Ctrl+C and progress line.
#include <iostream>

#include "cli/CliMain.h"
#include "cli/Console.h"
#include "emulator/DemoSet.h"
#include "engine/SystemServices.h"

namespace sektra {

int RunConsoleProgram(const std::vector<std::string>& arguments) {
    // The demo devices take their modelled time on the real clock, as in the demo window.
    const std::unique_ptr<EmulatedPort> demoPort = MakeDemoPort(TimeMode::Real);
    CliEnvironment environment;
    environment.out = &std::cout;
    environment.err = &std::cerr;
    environment.targets.demoPort = demoPort.get();
    environment.services = &GetSystemServices();
    environment.progressLine = ErrorStreamIsTerminal();
    environment.handleCtrlC = true;
    environment.stopRequested = StopRequested;
    const int status = RunCli(arguments, environment);
    std::cout.flush();
    return status;
}

}  // namespace sektra
