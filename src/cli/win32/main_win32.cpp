// SektraCli.exe: the console runner of the Windows build. Arguments arrive as UTF-16 and are
// handled as UTF-8, so file names in any script survive.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/CliMain.h"
#include "framework/Utf8.h"

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(sektra::Utf8FromWide(argv[i]));
    // Reports are UTF-8; a console shows them right only when told so.
    SetConsoleOutputCP(CP_UTF8);
    return sektra::RunConsoleProgram(arguments);
}
