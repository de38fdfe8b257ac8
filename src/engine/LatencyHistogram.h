#pragma once
// Command times of a run, in clock ticks, counted in buckets whose width grows with the value:
// every tick value below 256 has a bucket of its own, and from there each power of two is cut
// into 128 equal buckets, so a bucket is never wider than 1/128 (0.78 %) of its lowest value.
// The table covers every 64-bit tick count in 7,424 buckets (59,392 bytes of counts), so a run
// of any length keeps a record of fixed size.
#include <array>
#include <atomic>
#include <cstdint>

namespace sektra {

class LatencyHistogram {
public:
    static constexpr int kExactValues = 256;
    static constexpr int kStepsPerOctave = 128;
    static constexpr int kBuckets = kExactValues + (64 - 8) * kStepsPerOctave;

    static int BucketOf(std::uint64_t ticks);
    // The lowest and highest tick value that bucket `index` counts.
    static std::uint64_t BucketLow(int index);
    static std::uint64_t BucketHigh(int index);

    void Add(std::uint64_t ticks);
    void Clear();

    std::uint64_t Count() const { return count; }
    std::uint64_t TotalTicks() const { return totalTicks; }  // saturates instead of wrapping
    std::uint64_t Minimum() const { return count == 0 ? 0 : minimum; }
    std::uint64_t Maximum() const { return maximum; }
    std::uint64_t BucketCount(int index) const { return counts[index]; }

    // The value below which `perMillion` millionths of the commands lie, by nearest rank: the
    // command of rank ceil(perMillion × count ÷ 1,000,000) (at least the first) in ascending
    // order. Its bucket's lowest value stands for it, kept within the exact minimum and
    // maximum, so a run whose commands share one bucket reports exact values. 0 when empty.
    std::uint64_t Percentile(std::uint32_t perMillion) const;

private:
    friend class LatencyRecorder;
    std::array<std::uint64_t, kBuckets> counts{};
    std::uint64_t count = 0;
    std::uint64_t totalTicks = 0;
    std::uint64_t minimum = ~std::uint64_t{0};
    std::uint64_t maximum = 0;
};

// The histogram a test thread fills while a window reads it: one writer, any number of
// readers, relaxed atomics, no lock. A copy taken mid-run may miss the command being added.
class LatencyRecorder {
public:
    void Add(std::uint64_t ticks);  // worker only
    void Clear();                   // worker only, between runs
    void CopyTo(LatencyHistogram* copy) const;

private:
    std::array<std::atomic<std::uint64_t>, LatencyHistogram::kBuckets> counts{};
    std::atomic<std::uint64_t> totalTicks{0};
    std::atomic<std::uint64_t> minimum{~std::uint64_t{0}};
    std::atomic<std::uint64_t> maximum{0};
};

}  // namespace sektra
