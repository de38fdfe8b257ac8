// sektra-cli: the console runner of the native build.
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"
#include "cli/Console.h"
#include "emulator/DemoSet.h"
#include "engine/SystemServices.h"

int main(int argc, char** argv) {
    using namespace sektra;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
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
