#pragma once
// The clock a test times its commands with, as the settings store it ("TimerMode").
#include <cstdint>

namespace sektra {

enum TimerMode : std::uint32_t {
    kTickCount = 0,           // GetTickCount: milliseconds, 32 bits
    kPerformanceCounter = 1,  // QueryPerformanceCounter
    kTimeStampCounter = 2,    // the processor's time-stamp counter (RDTSC)
};

// Ticks per second of the tick count.
constexpr std::uint64_t kTickCountFrequency = 1000;

// Joins the two 32-bit halves in which the windows hand the frequency to a thread.
constexpr std::uint64_t JoinHalves(std::uint32_t low, std::uint32_t high) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

}  // namespace sektra
