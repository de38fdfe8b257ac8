#pragma once
// The texts a test window shows on every tick, from its thread's snapshot.
#include <cstdint>
#include <ctime>
#include <string>

namespace sektra {

// `format` (a resource string taking three ints) with hours, total minutes and seconds:
// E / 3600, E / 60 and E % 60 of the elapsed seconds E. The minutes are not reduced modulo 60.
std::wstring ElapsedText(const std::wstring& format, std::uint32_t elapsedSeconds);
// " %10u - %10u (%u - %u)" with 64-bit numbers: the last command's blocks, then the tested
// range. A first block past the last (a snapshot taken between two stores) shows the last.
std::wstring TransferBlocksText(std::uint64_t commandFirst, std::uint64_t commandLast, std::uint64_t rangeFirst,
                                std::uint64_t rangeLast);
// " %10u (%u - %u)" with 64-bit numbers: the block of the last positioning, then the range.
std::wstring SeekBlockText(std::uint64_t current, std::uint64_t first, std::uint64_t last);
// " %I64u".
std::wstring CountText(std::uint64_t count);
// " %d KB/Sec" (the rate read as a signed int, as shown since ever).
std::wstring RateText(std::uint32_t kilobytesPerSecond);
// " %d μSec".
std::wstring SeekTimeText(std::uint32_t microseconds);
// wcsftime of the local time `when` with `format`, at most 256 characters; false when the
// local time cannot be had (the label then keeps its text).
bool LocalTimeText(const std::wstring& format, std::time_t when, std::wstring& text);

}  // namespace sektra
