#include "app/Settings.h"

#include "framework/IniFile.h"

namespace sektra {

const wchar_t kKeyTimerMode[] = L"TimerMode";
const wchar_t kKeyShowInterval[] = L"ShowInterval";
const wchar_t kKeyPerFrq[] = L"PerFrq";
const wchar_t kKeyPerformCells[] = L"PerformCells";
const wchar_t kKeyAlignedPositions[] = L"AlignedPositions";
const wchar_t kKeyRandomWriteData[] = L"RandomWriteData";

std::wstring SettingsFilePath(const std::wstring& localAppDataFolder) {
    if (localAppDataFolder.empty()) return std::wstring();
    std::wstring path = localAppDataFolder;
    if (path.back() == L'\\') path.pop_back();
    return path + L"\\\\Sektra\\Sektra.ini";
}

void ApplyTimeBase(Settings& settings, std::uint64_t performanceFrequency) {
    if (settings.timerMode == kTimerTickCount) {
        settings.ticksPerSecond = 1000;
    } else if (settings.timerMode == kTimerTimeStampCounter && settings.perFrq != 0) {
        settings.ticksPerSecond = settings.perFrq;
    } else if (settings.timerMode != kTimerTimeStampCounter && performanceFrequency != 0) {
        settings.timerMode = kTimerPerformanceCounter;
        settings.ticksPerSecond = performanceFrequency;
    } else {
        settings.timerMode = kTimerTickCount;
        settings.ticksPerSecond = 1000;
    }
}

void ApplyTimerOptions(Settings& settings, std::int32_t timerMode, std::uint64_t ticksPerSecond,
                       std::int32_t showInterval) {
    settings.showInterval = showInterval;
    if (ticksPerSecond == 0) {  // no time base counts zero ticks a second
        settings.timerMode = kTimerTickCount;
        settings.ticksPerSecond = 1000;
        return;
    }
    settings.timerMode = timerMode;
    settings.ticksPerSecond = ticksPerSecond;
    if (timerMode == kTimerTimeStampCounter) settings.perFrq = ticksPerSecond;
}

bool ReadSettings(IniFile& file, Settings& settings) {
    return file.GetInt32(kKeyTimerMode, settings.timerMode) == 0 &&
           file.GetInt32(kKeyShowInterval, settings.showInterval) == 0 &&
           file.GetUInt64(kKeyPerFrq, settings.perFrq) == 0 &&
           file.GetInt32(kKeyPerformCells, settings.performCells) == 0;
}

void WriteSettings(IniFile& file, const Settings& settings) {
    file.SetInt32(kKeyTimerMode, settings.timerMode);
    file.SetInt32(kKeyShowInterval, settings.showInterval);
    file.SetUInt64(kKeyPerFrq, settings.perFrq);
    file.SetInt32(kKeyPerformCells, settings.performCells);
    file.SetInt32(kKeyAlignedPositions, settings.transferChoices.alignedPositions ? 1 : 0);
    file.SetInt32(kKeyRandomWriteData, settings.transferChoices.randomWriteData ? 1 : 0);
}

namespace {

bool IsOn(IniFile& file, const wchar_t* key) {
    std::wstring text;
    return file.GetString(key, text) == 0 && text == L"1";
}

}  // namespace

TransferChoices ReadTransferChoices(IniFile& file) {
    TransferChoices choices;
    choices.alignedPositions = IsOn(file, kKeyAlignedPositions);
    choices.randomWriteData = IsOn(file, kKeyRandomWriteData);
    return choices;
}

}  // namespace sektra
