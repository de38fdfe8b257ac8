#include "setup/FirstSettings.h"

#include "framework/IniFile.h"

namespace sektra {

int WriteFirstSettings(const wchar_t* path) {
    IniFile settings;
    settings.SetInt32(L"TimerMode", 1);
    settings.SetInt32(L"ShowInterval", 100);
    settings.SetUInt64(L"PerFrq", 0);
    settings.SetInt32(L"PerformCells", 201);
    return settings.Save(path);
}

}  // namespace sektra
