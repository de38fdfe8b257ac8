#pragma once
// The seek test: a fixed number of timed positionings, either full strokes between the two ends
// of a range or to random blocks inside it. Times in microseconds. A device that refuses
// SEEK(10), or whose blocks SEEK(10) cannot all address, is measured with a one-block read from
// the medium at each position instead (access time); the method is chosen once, when the
// thread is made, and holds for every run (see SeekMethod.h).
#include <atomic>
#include <cstdint>

#include "engine/SampleTable.h"
#include "engine/SeekMethod.h"
#include "engine/TestThread.h"

namespace sektra {

class SeekTestThread final : public TestThread {
public:
    static constexpr std::uint32_t kTotalSteps = 200;
    static constexpr std::uint32_t kCellWidth = 100;  // µs
    static constexpr std::uint32_t kSeed = 1234567890;

    // randomSeeks 0: lastLba, firstLba, lastLba, …; otherwise random blocks of the range.
    // Asks the device which method it gets (ChooseSeekMethod).
    SeekTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                   std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint64_t firstLba,
                   std::uint64_t lastLba, std::uint32_t seekCount, std::uint32_t randomSeeks,
                   std::uint32_t histogramCells);
    ~SeekTestThread() override;

    std::uint32_t Run() override;

    // 0 firstLba, 1 lastLba, 2 currentLba (target of the last positioning) (low halves; 12 to
    // 14 the high halves), 3 not written, 4-5 command count, 6 minimum, 7 average, 8 maximum
    // (µs; minimum first, unlike the rate tests), 9 progress (0 … 200), 10 estimated finish,
    // 11 elapsed seconds.
    void GetSnapshot(TestSnapshot* snapshot) const override;
    // Index 0 minimum, 1 average, 2 maximum, 3 samples, then the histogram (100 µs cells).
    const SampleTable* GetSamples() const { return &sampleTable; }
    // Seek: the figures are seek times; Access: access times of one-block reads.
    SeekMethod GetMethod() const { return method; }

private:
    // The positioning command to `target` and the bytes it moves.
    std::uint32_t SetTarget(ScsiRequest* request, std::uint64_t target) const;

    const std::uint64_t firstLba;
    const std::uint64_t lastLba;
    const std::uint32_t seekCount;
    const std::uint32_t randomSeeks;
    const SeekMethod method;
    std::uint32_t blockLength = 0;  // of the current run
    std::atomic<std::uint64_t> currentLba{0};
    SampleTable sampleTable;
};

}  // namespace sektra
