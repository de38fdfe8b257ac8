// The real system on Windows.
#include <windows.h>

#include <cstdint>
#include <ctime>

#include "engine/SystemServices.h"
#include "engine/TimeStampCounter.h"

namespace sektra {
namespace {

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
    std::int32_t Time() override { return static_cast<std::int32_t>(std::time(nullptr)); }
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
