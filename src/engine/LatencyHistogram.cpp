#include "engine/LatencyHistogram.h"

namespace sektra {

namespace {

constexpr int kExactBits = 8;  // 2^8 = kExactValues
constexpr int kStepBits = 7;   // 2^7 = kStepsPerOctave

int HighestBit(std::uint64_t value) {
    int bit = 0;
    while (value >>= 1) ++bit;
    return bit;
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return a + b < a ? ~std::uint64_t{0} : a + b; }

}  // namespace

int LatencyHistogram::BucketOf(std::uint64_t ticks) {
    if (ticks < kExactValues) return static_cast<int>(ticks);
    const int octave = HighestBit(ticks);
    const int step = static_cast<int>(ticks >> (octave - kStepBits)) & (kStepsPerOctave - 1);
    return kExactValues + (octave - kExactBits) * kStepsPerOctave + step;
}

std::uint64_t LatencyHistogram::BucketLow(int index) {
    if (index < kExactValues) return static_cast<std::uint64_t>(index);
    const int octave = (index - kExactValues) / kStepsPerOctave + kExactBits;
    const std::uint64_t step = static_cast<std::uint64_t>((index - kExactValues) % kStepsPerOctave);
    return (std::uint64_t{kStepsPerOctave} + step) << (octave - kStepBits);
}

std::uint64_t LatencyHistogram::BucketHigh(int index) {
    return index + 1 < kBuckets ? BucketLow(index + 1) - 1 : ~std::uint64_t{0};
}

void LatencyHistogram::Add(std::uint64_t ticks) {
    ++counts[BucketOf(ticks)];
    ++count;
    totalTicks = SaturatingAdd(totalTicks, ticks);
    if (ticks < minimum) minimum = ticks;
    if (ticks > maximum) maximum = ticks;
}

void LatencyHistogram::Clear() { *this = LatencyHistogram(); }

std::uint64_t LatencyHistogram::Percentile(std::uint32_t perMillion) const {
    if (count == 0) return 0;
    if (perMillion > 1000000) perMillion = 1000000;
    // ceil(perMillion × count ÷ 10^6) without overflow: count < 2^64 and perMillion < 2^20.
    const std::uint64_t whole = count / 1000000 * perMillion;
    const std::uint64_t part = (count % 1000000 * perMillion + 999999) / 1000000;
    std::uint64_t rank = whole + part;
    if (rank == 0) rank = 1;
    std::uint64_t seen = 0;
    for (int index = 0; index < kBuckets; ++index) {
        seen += counts[index];
        if (seen >= rank) {
            const std::uint64_t value = BucketLow(index);
            if (value < Minimum()) return Minimum();
            return value > maximum ? maximum : value;
        }
    }
    return maximum;
}

void LatencyRecorder::Add(std::uint64_t ticks) {
    auto& bucket = counts[LatencyHistogram::BucketOf(ticks)];
    bucket.store(bucket.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    totalTicks.store(SaturatingAdd(totalTicks.load(std::memory_order_relaxed), ticks), std::memory_order_relaxed);
    if (ticks < minimum.load(std::memory_order_relaxed)) minimum.store(ticks, std::memory_order_relaxed);
    if (ticks > maximum.load(std::memory_order_relaxed)) maximum.store(ticks, std::memory_order_relaxed);
}

void LatencyRecorder::Clear() {
    for (auto& bucket : counts) bucket.store(0, std::memory_order_relaxed);
    totalTicks.store(0, std::memory_order_relaxed);
    minimum.store(~std::uint64_t{0}, std::memory_order_relaxed);
    maximum.store(0, std::memory_order_relaxed);
}

void LatencyRecorder::CopyTo(LatencyHistogram* copy) const {
    copy->count = 0;
    for (int index = 0; index < LatencyHistogram::kBuckets; ++index) {
        copy->counts[index] = counts[index].load(std::memory_order_relaxed);
        copy->count += copy->counts[index];
    }
    copy->totalTicks = totalTicks.load(std::memory_order_relaxed);
    copy->minimum = minimum.load(std::memory_order_relaxed);
    copy->maximum = maximum.load(std::memory_order_relaxed);
}

}  // namespace sektra
