#pragma once
// The latency and IOPS figures a test window shows beside its rates.
#include <cstdint>
#include <string>

namespace sektra {

// "1,234,567": thousands separated by commas.
std::wstring GroupedDigits(std::uint64_t value);
// A command time in μs, truncated: tenths below 100 μs (" 45.2 μs"), whole microseconds with
// grouped thousands above (" 1,234 μs").
std::wstring LatencyText(std::uint64_t nanoseconds);
// " 12,345".
std::wstring IopsText(std::uint64_t commandsPerSecond);

}  // namespace sektra
