#pragma once
// The sequential transfer tests: READ or WRITE through a range of blocks in order, from the
// first block to the last, with the rates kept per thousandth of the range (progress table)
// and per position step (position table). Commands below 2^32 are READ(10)/WRITE(10), the
// others READ(16)/WRITE(16).
#include <atomic>
#include <cstdint>

#include "engine/SampleTable.h"
#include "engine/TestThread.h"

namespace sektra {

class SequentialTestThread : public TestThread {
public:
    static constexpr std::uint32_t kTotalSteps = 1000;
    static constexpr std::uint32_t kProgressColumns = 1000;
    static constexpr std::uint32_t kCellWidth = 512;  // KB/s

    ~SequentialTestThread() override;

    std::uint32_t Run() override;

    // 0 firstLba, 1 lastLba, 2 currentLba, 3 commandLastLba (low halves; 12 to 15 the high
    // halves), 4-5 command count (low, high), 6 maximum, 7 average, 8 minimum (KB/s),
    // 9 progress (0 … 1000), 10 estimated finish, 11 elapsed seconds. currentLba and
    // commandLastLba are the blocks of the command in flight, or of the last one sent.
    void GetSnapshot(TestSnapshot* snapshot) const override;
    // The progress table (1000 columns), the position table (`points` columns, column p from
    // block firstLba + p × positionStep on), and those two numbers.
    void GetSamples(const SampleTable** progressTable, const SampleTable** positionTable,
                    std::uint32_t* points, std::uint64_t* positionStep) const;

    std::uint64_t GetFirstLba() const { return range.firstLba; }
    std::uint64_t GetLastLba() const { return range.lastLba; }

protected:
    // The range is start ÷ 100 to end ÷ 100 of the device's capacity, asked for here.
    SequentialTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                         std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t blocksPerCommand,
                         std::uint32_t startPercent, std::uint32_t endPercent, std::uint32_t histogramCells,
                         std::uint8_t opcode, std::uint8_t dataIn);

private:
    // Running sums of one table's current column.
    struct Column {
        std::uint32_t index = 0;
        std::uint64_t ticks = 0;
        std::uint64_t bytes = 0;
    };
    // The blocks the window shows: the command about to go, never past the range's end.
    void ShowCommand(std::uint64_t first, std::uint64_t blocks);
    void UpdateColumn(SampleTable& table, Column& column, std::uint64_t index, std::uint32_t lastIndex,
                      std::uint32_t rate, std::uint64_t ticks, std::uint64_t bytes);

    struct Range {
        // False for a range of fewer than two blocks: the run then fails at its start.
        bool usable = false;
        std::uint64_t firstLba = 0;
        std::uint64_t lastLba = 0;
        std::uint64_t positionStep = 1;
        std::uint32_t points = 1;
    };
    static Range ComputeRange(Device* device, std::uint32_t startPercent, std::uint32_t endPercent);

    const std::uint8_t opcode;
    const std::uint8_t dataIn;
    const std::uint32_t blocksPerCommand;
    const Range range;
    std::atomic<std::uint64_t> currentLba{0};
    std::atomic<std::uint64_t> commandLastLba{0};
    SampleTable progressTable;
    SampleTable positionTable;
};

class SequentialReadTestThread final : public SequentialTestThread {
public:
    SequentialReadTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                             std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t blocksPerCommand,
                             std::uint32_t startPercent, std::uint32_t endPercent, std::uint32_t histogramCells);
    // Stopped before any part of the object goes, so the worker never sees it half destroyed.
    ~SequentialReadTestThread() override { Stop(); }
};

class SequentialWriteTestThread final : public SequentialTestThread {
public:
    SequentialWriteTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                              std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t blocksPerCommand,
                              std::uint32_t startPercent, std::uint32_t endPercent, std::uint32_t histogramCells);
    ~SequentialWriteTestThread() override { Stop(); }
};

}  // namespace sektra
