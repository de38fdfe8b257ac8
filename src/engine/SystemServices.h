#pragma once
// Everything a measuring run asks of the operating system besides the device: the clock by
// TimerMode, the wall-clock time, giving up the time slice, and page-aligned buffers.
// Production uses the real system (GetSystemServices); the tests run on a virtual clock that the
// emulated devices advance, so every figure is exact and repeatable.
#include <cstdint>

namespace sektra {

class SystemServices {
public:
    virtual ~SystemServices() = default;

    // One reading of the clock that `mode` selects: 0 the tick count (32 bits, zero-extended),
    // 2 the time-stamp counter, anything else the performance counter.
    virtual std::uint64_t ReadClock(std::uint32_t mode) = 0;

    // Wall-clock seconds since 1970, as the C library's time().
    virtual std::int32_t Time() = 0;

    // Gives up the rest of the time slice (Sleep(0)).
    virtual void GiveUpTimeSlice() = 0;

    // Page-aligned, zero-filled memory of `bytes` bytes; null when it cannot be had (also for 0).
    virtual void* AllocatePages(std::uint64_t bytes) = 0;
    virtual void FreePages(void* pages, std::uint64_t bytes) = 0;

    // Ticks per second of the performance counter; 0 when the system has none.
    virtual std::uint64_t PerformanceFrequency() = 0;
};

// The real system: GetTickCount, QueryPerformanceCounter, RDTSC, Sleep(0) and VirtualAlloc on
// Windows; CLOCK_MONOTONIC, RDTSC, sched_yield and mmap elsewhere.
SystemServices& GetSystemServices();

// True when the processor has a time-stamp counter: CPUID leaf 0 reports a highest leaf of at
// least 1 and leaf 1 sets EDX bit 4.
bool TimeStampCounterPresent();

}  // namespace sektra
