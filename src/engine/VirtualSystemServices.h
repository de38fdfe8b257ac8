#pragma once
// System services on the emulated devices' virtual clock: every mode reads the same clock, the
// wall-clock time is a fixed start plus the clock's whole seconds, and giving up the time slice
// does nothing. With them a run's figures depend only on the times the emulated commands took.
// Allocation can be made to fail, and the buffers still out are counted, for the tests.
#include <atomic>
#include <cstdint>

#include "emulator/VirtualClock.h"
#include "engine/SystemServices.h"

namespace sektra {

class VirtualSystemServices : public SystemServices {
public:
    explicit VirtualSystemServices(VirtualClock& clock, std::int32_t startTime = 1000000000)
        : clock_(clock), startTime_(startTime) {}

    std::uint64_t ReadClock(std::uint32_t) override { return clock_.Now(); }
    std::int32_t Time() override {
        return startTime_ + static_cast<std::int32_t>(clock_.Now() / clock_.TicksPerSecond());
    }
    void GiveUpTimeSlice() override {}
    void* AllocatePages(std::uint64_t bytes) override;
    void FreePages(void* pages, std::uint64_t bytes) override;
    std::uint64_t PerformanceFrequency() override { return clock_.TicksPerSecond(); }

    // Allocations fail from now on (a buffer the system cannot give).
    void FailAllocations(bool fail) { failAllocations_.store(fail, std::memory_order_relaxed); }
    std::int64_t OutstandingBuffers() const { return outstanding_.load(std::memory_order_relaxed); }

private:
    VirtualClock& clock_;
    const std::int32_t startTime_;
    std::atomic<bool> failAllocations_{false};
    std::atomic<std::int64_t> outstanding_{0};
};

}  // namespace sektra
