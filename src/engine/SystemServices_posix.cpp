// The real system on Linux: the native stand-ins for the Windows clocks and VirtualAlloc.
#include <sched.h>
#include <sys/mman.h>
#include <time.h>

#include <cstdint>
#include <ctime>

#include "engine/SystemServices.h"
#include "engine/TimeStampCounter.h"

namespace sektra {
namespace {

std::uint64_t MonotonicNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

class PosixServices final : public SystemServices {
public:
    std::uint64_t ReadClock(std::uint32_t mode) override {
        switch (mode) {
        case 0:  // like GetTickCount: milliseconds that wrap at 32 bits
            return static_cast<std::uint32_t>(MonotonicNanoseconds() / 1000000);
        case 2:
            return TimeStampCounterNow();
        default:
            return MonotonicNanoseconds();
        }
    }
    std::int32_t Time() override { return static_cast<std::int32_t>(std::time(nullptr)); }
    void GiveUpTimeSlice() override { sched_yield(); }
    void* AllocatePages(std::uint64_t bytes) override {
        if (bytes == 0 || bytes > SIZE_MAX) return nullptr;
        // Anonymous pages come zero-filled and page-aligned, as committed VirtualAlloc memory.
        void* pages = mmap(nullptr, static_cast<size_t>(bytes), PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        return pages == MAP_FAILED ? nullptr : pages;
    }
    void FreePages(void* pages, std::uint64_t bytes) override {
        if (pages != nullptr) munmap(pages, static_cast<size_t>(bytes));
    }
    std::uint64_t PerformanceFrequency() override { return 1000000000u; }
};

}  // namespace

SystemServices& GetSystemServices() {
    static PosixServices services;
    return services;
}

}  // namespace sektra
