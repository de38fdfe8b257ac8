// The process entry of Sektra.exe.
#include <windows.h>

#include "app/win32/Application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return sektra::RunSektra(instance); }
