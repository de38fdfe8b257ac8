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

namespace {

// A block number right-aligned in ten characters, wider when it needs more. Built by hand: the
// C runtimes of the Windows builds disagree on how a 64-bit printf conversion is spelled.
std::wstring Padded(std::uint64_t block) {
    const std::wstring digits = std::to_wstring(block);
    return digits.size() < 10 ? std::wstring(10 - digits.size(), L' ') + digits : digits;
}

std::wstring Range(std::uint64_t first, std::uint64_t last) {
    return L" (" + std::to_wstring(first) + L" - " + std::to_wstring(last) + L")";
}

}  // namespace

std::wstring TransferBlocksText(std::uint64_t commandFirst, std::uint64_t commandLast, std::uint64_t rangeFirst,
                                std::uint64_t rangeLast) {
    if (commandFirst > commandLast) commandFirst = commandLast;
    return L" " + Padded(commandFirst) + L" - " + Padded(commandLast) + Range(rangeFirst, rangeLast);
}

std::wstring SeekBlockText(std::uint64_t current, std::uint64_t first, std::uint64_t last) {
    return L" " + Padded(current) + Range(first, last);
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
