#pragma once
// What every Windows test of Sektra's windows runs with: an Application whose language module
// is the built Sektra.jpn (copied next to the test program under the program's name), the demo
// devices in place of the real ones, and message boxes answered by the test.
#include <windows.h>

#include <string>
#include <vector>

namespace sektra {

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

// Message boxes shown since the last ClearMessages (each answered with IDOK).
const std::vector<ShownMessage>& Messages();
void ClearMessages();

// Writes the settings file where the Document looks for it: `lines` like L"TimerMode=1".
void WriteSettingsFile(const std::vector<std::wstring>& lines);
std::vector<std::wstring> FullSettings();

// Delivers what is waiting in this thread's queue (posted WM_CLOSE and the like).
void PumpMessages();

// The emulated demo devices the Document sees, with their command logs.
class EmulatedPort;
EmulatedPort& DemoPort();

// A string of the loaded language module.
std::wstring ModuleString(UINT id);

}  // namespace sektra
