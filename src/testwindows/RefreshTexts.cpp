#include "testwindows/RefreshTexts.h"

#include <cwchar>

namespace sektra {

std::wstring ElapsedText(const std::wstring& format, std::uint32_t elapsedSeconds) {
    wchar_t buffer[256] = {};
    const int hours = static_cast<int>(elapsedSeconds / 3600);
    const int minutes = static_cast<int>(elapsedSeconds / 60);
    const int seconds = static_cast<int>(elapsedSeconds % 60);
    if (std::swprintf(buffer, 256, format.c_str(), hours, minutes, seconds) < 0) buffer[0] = L'\0';
    return buffer;
}

std::wstring TransferBlocksText(std::uint32_t commandFirst, std::uint32_t commandLast, std::uint32_t rangeFirst,
                                std::uint32_t rangeLast) {
    wchar_t buffer[96];
    std::swprintf(buffer, 96, L" %10u - %10u (%u - %u)", commandFirst, commandLast, rangeFirst, rangeLast);
    return buffer;
}

std::wstring SeekBlockText(std::uint32_t current, std::uint32_t first, std::uint32_t last) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L" %10u (%u - %u)", current, first, last);
    return buffer;
}

std::wstring CountText(std::uint64_t count) { return L" " + std::to_wstring(count); }

std::wstring RateText(std::uint32_t kilobytesPerSecond) {
    return L" " + std::to_wstring(static_cast<std::int32_t>(kilobytesPerSecond)) + L" KB/Sec";
}

std::wstring SeekTimeText(std::uint32_t microseconds) {
    return L" " + std::to_wstring(static_cast<std::int32_t>(microseconds)) + L" \u03BCSec";
}

bool LocalTimeText(const std::wstring& format, std::time_t when, std::wstring& text) {
    const std::tm* local = std::localtime(&when);
    if (local == nullptr) return false;
    wchar_t buffer[257] = {};
    std::wcsftime(buffer, 257, format.c_str(), local);
    text = buffer;
    return true;
}

}  // namespace sektra
