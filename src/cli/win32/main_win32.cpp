// SektraCli.exe: the console runner of the Windows build. Arguments arrive as UTF-16 and are
// handled as UTF-8, so file names in any script survive.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"
#include "cli/Console.h"
#include "cli/Json.h"
#include "emulator/DemoSet.h"
#include "engine/SystemServices.h"

int wmain(int argc, wchar_t** argv) {
    using namespace sektra;
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8FromWide(argv[i]));
    // Reports are UTF-8; a console shows them right only when told so.
    SetConsoleOutputCP(CP_UTF8);
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
