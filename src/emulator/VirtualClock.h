#pragma once
// A clock that only moves when an emulated device says a command took time. The tests read
// it through the engine's clock seam, so every figure they check is exact and repeatable.
#include <atomic>
#include <cstdint>

#include "emulator/MulDiv.h"

namespace sektra {

class VirtualClock {
public:
    explicit VirtualClock(std::uint64_t ticksPerSecond = 10000000) : ticksPerSecond_(ticksPerSecond) {}

    std::uint64_t Now() const { return now_.load(std::memory_order_relaxed); }
    std::uint64_t TicksPerSecond() const { return ticksPerSecond_; }
    void Advance(std::uint64_t ticks) { now_.fetch_add(ticks, std::memory_order_relaxed); }
    void AdvanceMicroseconds(std::uint64_t us) {
        Advance(EmulatorMulDiv(us, ticksPerSecond_, 1000000));
    }

private:
    std::atomic<std::uint64_t> now_{0};
    const std::uint64_t ticksPerSecond_;
};

}  // namespace sektra
