#pragma once
// The benchmark's settings: the time base and the test windows' refresh and histogram
// values, as read from the settings file and normalised for use.
#include <cstdint>
#include <string>

#include "engine/TransferChoices.h"

namespace sektra {

class IniFile;

enum TimerModeValue : std::int32_t { kTimerTickCount = 0, kTimerPerformanceCounter = 1, kTimerTimeStampCounter = 2 };

struct Settings {
    std::int32_t timerMode = kTimerPerformanceCounter;
    std::int32_t showInterval = 100;
    std::uint64_t perFrq = 0;
    std::int32_t performCells = 201;
    std::uint64_t ticksPerSecond = 1000;  // derived from the mode, never read or written
    TransferChoices transferChoices;      // read and written apart from the four keys above
};

// Key names in the settings file.
extern const wchar_t kKeyTimerMode[];
extern const wchar_t kKeyShowInterval[];
extern const wchar_t kKeyPerFrq[];
extern const wchar_t kKeyPerformCells[];
extern const wchar_t kKeyAlignedPositions[];
extern const wchar_t kKeyRandomWriteData[];

// The settings file below the local application-data folder ("...\\Sektra\Sektra.ini", the
// doubled separator is how the file has always been named and Windows accepts it). Empty when
// the folder is unknown: the settings then count as missing.
std::wstring SettingsFilePath(const std::wstring& localAppDataFolder);

// Sets ticksPerSecond from timerMode: 0 tick count (1000), 2 time-stamp counter (perFrq), any
// other mode the performance counter (mode 1), or the tick count when that reports 0. Mode 2
// with a frequency of 0 would leave the tests nothing to divide by: it becomes the tick count.
void ApplyTimeBase(Settings& settings, std::uint64_t performanceFrequency);

// Takes over what the timer options dialog confirmed; mode 2 remembers its frequency.
void ApplyTimerOptions(Settings& settings, std::int32_t timerMode, std::uint64_t ticksPerSecond,
                       std::int32_t showInterval);

// Reads "TimerMode", "ShowInterval", "PerFrq" (64-bit) and "PerformCells" in this order, without
// range checks. False at the first missing key; the keys before it keep their values.
bool ReadSettings(IniFile& file, Settings& settings);

// Sets the four keys and the transfer choices; every other entry of the file stays as it was.
void WriteSettings(IniFile& file, const Settings& settings);

// "AlignedPositions" and "RandomWriteData": a choice is on only when its key says 1. A file
// from an earlier version has neither key, and a broken value must not quietly change what a
// test measures, so anything else leaves it off; their absence is no missing setting.
TransferChoices ReadTransferChoices(IniFile& file);

}  // namespace sektra
