#pragma once
// The modelled duration of each command (the formulas are in DeviceConfig.h), and the state
// it depends on: where the head is and which blocks the read cache holds.
#include <cstdint>

#include "emulator/DeviceConfig.h"

namespace sektra {

class PerformanceModel {
public:
    PerformanceModel(const TimingModel& timing, std::uint64_t blockCount, std::uint32_t blockLength);

    // Durations in nanoseconds; each call also moves the head and updates the cache.
    // fromMedium: the read bypasses the cache (FUA).
    std::uint64_t Read(std::uint64_t lba, std::uint32_t blocks, bool fromMedium = false);
    std::uint64_t Write(std::uint64_t lba, std::uint32_t blocks);
    std::uint64_t Verify(std::uint64_t lba, std::uint32_t blocks);
    std::uint64_t Seek(std::uint64_t lba);
    std::uint64_t BufferTransfer(std::uint64_t bytes) const;
    std::uint64_t Other() const { return timing_.commandNs; }

    std::uint64_t Head() const { return head_; }

private:
    std::uint64_t Positioning(std::uint64_t to) const;
    std::uint64_t MediaTransfer(std::uint64_t lba, std::uint64_t bytes) const;
    bool CacheHolds(std::uint64_t lba, std::uint32_t blocks) const;

    const TimingModel timing_;
    const std::uint64_t blockCount_;
    const std::uint32_t blockLength_;
    std::uint64_t head_ = 0;
    std::uint64_t cacheFirst_ = 0;  // cached blocks [cacheFirst_, cacheEnd_)
    std::uint64_t cacheEnd_ = 0;
};

// bytes * 1e9 / bytesPerSecond, truncated; 0 when the rate is 0.
std::uint64_t TransferNs(std::uint64_t bytes, std::uint64_t bytesPerSecond);

}  // namespace sektra
