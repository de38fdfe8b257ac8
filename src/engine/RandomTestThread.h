#pragma once
// The random transfer tests: 10000 READ(10) or WRITE(10) commands of a fixed size at random
// positions inside a range, the same positions in the same order on every run.
#include <atomic>
#include <cstdint>

#include "engine/SampleTable.h"
#include "engine/TestThread.h"

namespace sektra {

class RandomTestThread : public TestThread {
public:
    static constexpr std::uint32_t kTotalSteps = 1000;
    static constexpr std::uint64_t kCommands = 10000;
    static constexpr std::uint32_t kCellWidth = 128;  // KB/s
    static constexpr std::uint32_t kSeed = 1234567890;

    ~RandomTestThread() override;

    std::uint32_t Run() override;

    // The layout of the sequential tests: 0 firstLba, 1 lastLba, 2 currentLba, 3 commandLastLba,
    // 4-5 command count, 6 maximum, 7 average, 8 minimum, 9 progress (0 … 1000), 10 estimated
    // finish, 11 elapsed seconds.
    void GetSnapshot(TestSnapshot* snapshot) const override;
    // Index 0 maximum, 1 average, 2 minimum, 3 samples, then the histogram (128 KB/s cells).
    const SampleTable* GetSamples() const { return &sampleTable; }

protected:
    RandomTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                     std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t blocksPerCommand,
                     std::uint32_t startPercent, std::uint32_t endPercent, std::uint32_t histogramCells,
                     std::uint8_t opcode, std::uint8_t dataIn);

private:
    const std::uint8_t opcode;
    const std::uint8_t dataIn;
    const std::uint32_t blocksPerCommand;
    // The range in 64 bits as computed from the capacity; the run refuses one that READ(10)
    // cannot address or that is smaller than one command.
    std::uint64_t first = 0;
    std::uint64_t end = 0;  // one past the last block
    std::uint32_t firstLba = 0;
    std::uint32_t lastLba = 0;
    std::atomic<std::uint32_t> currentLba{0};
    std::atomic<std::uint32_t> commandLastLba{0};
    SampleTable sampleTable;
};

class RandomReadTestThread final : public RandomTestThread {
public:
    RandomReadTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                         std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t blocksPerCommand,
                         std::uint32_t startPercent, std::uint32_t endPercent, std::uint32_t histogramCells);
    // Stopped before any part of the object goes, so the worker never sees it half destroyed.
    ~RandomReadTestThread() override { Stop(); }
};

class RandomWriteTestThread final : public RandomTestThread {
public:
    RandomWriteTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                          std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t blocksPerCommand,
                          std::uint32_t startPercent, std::uint32_t endPercent, std::uint32_t histogramCells);
    ~RandomWriteTestThread() override { Stop(); }
};

}  // namespace sektra
