#pragma once
// The tests that repeat one command 1000 times without moving on the medium: the cache hit test
// (READ(10) of the same blocks at LBA 0 after ten warm-up reads), and the read and write buffer
// tests (READ BUFFER / WRITE BUFFER in data mode).
#include <atomic>
#include <cstdint>

#include "engine/SampleTable.h"
#include "engine/TestThread.h"

namespace sektra {

class RepeatTestThread : public TestThread {
public:
    static constexpr std::uint32_t kTotalSteps = 200;
    static constexpr std::uint64_t kCommands = 1000;
    static constexpr int kWarmUpCommands = 10;
    static constexpr std::uint32_t kCellWidth = 512;  // KB/s

    ~RepeatTestThread() override;

    std::uint32_t Run() override;

    // 0-3 not written, 4-5 command count, 6 maximum, 7 average, 8 minimum (KB/s), 9 progress
    // (0 … 200), 10 estimated finish, 11 elapsed seconds.
    void GetSnapshot(TestSnapshot* snapshot) const override;
    // Index 0 maximum, 1 average, 2 minimum, 3 samples, then the histogram (512 KB/s cells).
    const SampleTable* GetSamples() const { return &sampleTable; }

protected:
    enum class Kind { CacheHit, ReadBuffer, WriteBuffer };
    // size: blocks per command for the cache hit test, kilobytes for the buffer tests.
    RepeatTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                     std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t size,
                     std::uint32_t histogramCells, Kind kind);

private:
    const Kind kind;
    // Blocks (cache hit) or bytes (buffer tests) per command.
    const std::uint32_t transferSize;
    SampleTable sampleTable;
};

class CacheHitTestThread final : public RepeatTestThread {
public:
    CacheHitTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                       std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t transferBlocks,
                       std::uint32_t histogramCells)
        : RepeatTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, transferBlocks,
                           histogramCells, Kind::CacheHit) {}
    // Stopped before any part of the object goes, so the worker never sees it half destroyed.
    ~CacheHitTestThread() override { Stop(); }
};

class ReadBufferTestThread final : public RepeatTestThread {
public:
    ReadBufferTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                         std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t kilobytes,
                         std::uint32_t histogramCells)
        : RepeatTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kilobytes,
                           histogramCells, Kind::ReadBuffer) {}
    ~ReadBufferTestThread() override { Stop(); }
};

class WriteBufferTestThread final : public RepeatTestThread {
public:
    WriteBufferTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                          std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t kilobytes,
                          std::uint32_t histogramCells)
        : RepeatTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kilobytes,
                           histogramCells, Kind::WriteBuffer) {}
    ~WriteBufferTestThread() override { Stop(); }
};

}  // namespace sektra
