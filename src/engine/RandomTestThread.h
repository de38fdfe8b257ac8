#pragma once
// The random transfer tests: 10000 READ or WRITE commands of a fixed size at random positions
// inside a range, the same positions in the same order on every run (at multiples of the
// command's blocks when the choices ask for aligned positions). Commands below 2^32 are
// READ(10)/WRITE(10), the others READ(16)/WRITE(16).
#include <atomic>
#include <cstdint>

#include "engine/PercentRange.h"
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

    // The layout of the sequential tests: 0 firstLba, 1 lastLba, 2 currentLba, 3 commandLastLba
    // (low halves; 12 to 15 the high halves), 4-5 command count, 6 maximum, 7 average, 8 minimum, 9 progress (0 … 1000), 10 estimated
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
    // The blocks the window shows: the command about to go, never past the range's end.
    void ShowCommand(std::uint64_t first);

    const std::uint8_t opcode;
    const std::uint8_t dataIn;
    const std::uint32_t blocksPerCommand;
    // The range as computed from the capacity; the run refuses one smaller than one command.
    PercentRange range;
    std::atomic<std::uint64_t> currentLba{0};
    std::atomic<std::uint64_t> commandLastLba{0};
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
