// sektra-cli: the console runner of the native build.
#include <string>
#include <vector>

#include "cli/CliMain.h"

int main(int argc, char** argv) { return sektra::RunConsoleProgram(std::vector<std::string>(argv + 1, argv + argc)); }
