// The real system on Windows.
#include <windows.h>

#include <cstdint>

#include "engine/SystemServices.h"
#include "engine/TimeStampCounter.h"

namespace sektra {
namespace {

// 1970-01-01 in FILETIME units (100 ns since 1601-01-01).
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ull;

class Win32Services final : public SystemServices {
public:
    std::uint64_t ReadClock(std::uint32_t mode) override {
        switch (mode) {
        case 0:
            return GetTickCount();
        case 2:
            return TimeStampCounterNow();
        default: {
            // The result flag is ignored: it cannot fail on any system that runs this program.
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            return static_cast<std::uint64_t>(now.QuadPart);
        }
        }
    }
    // The value of time(), read from the system time directly: the C runtime's time() looks at
    // the time zone on every call, which costs microseconds under wine, and a run asks once
    // per command.
    std::int32_t Time() override {
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        const std::uint64_t hundredNanoseconds = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
        return static_cast<std::int32_t>((hundredNanoseconds - kUnixEpochAsFileTime) / 10000000);
    }
    void GiveUpTimeSlice() override { Sleep(0); }
    void* AllocatePages(std::uint64_t bytes) override {
        if (bytes == 0 || bytes > SIZE_MAX) return nullptr;
        return VirtualAlloc(nullptr, static_cast<SIZE_T>(bytes), MEM_COMMIT, PAGE_READWRITE);
    }
    void FreePages(void* pages, std::uint64_t) override {
        if (pages != nullptr) VirtualFree(pages, 0, MEM_RELEASE);
    }
    std::uint64_t PerformanceFrequency() override {
        LARGE_INTEGER frequency;
        if (!QueryPerformanceFrequency(&frequency)) return 0;
        return static_cast<std::uint64_t>(frequency.QuadPart);
    }
};

}  // namespace

SystemServices& GetSystemServices() {
    static Win32Services services;
    return services;
}

}  // namespace sektra
