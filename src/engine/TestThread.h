#pragma once
// What every measuring thread shares: the device and the clock it times with, the command
// counter, the running extremes and average, the progress, and the way one command is timed.
// The window reads the counters at any time through GetSnapshot; they are relaxed atomics that
// only the worker writes.
#include <atomic>
#include <cstdint>

#include "device/Device.h"
#include "device/ScsiRequest.h"
#include "engine/LatencyHistogram.h"
#include "engine/ProgressTracker.h"
#include "engine/RunBuffer.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"
#include "engine/TransferChoices.h"
#include "engine/WorkerThread.h"

namespace sektra {

// The words a window copies from its test thread on every tick. What each word holds depends
// on the test; words a test does not fill keep what the window had there. Block numbers are
// 64-bit: words 0 to 3 hold their low halves and words 12 to 15 the high halves of the same
// four, so a reader of words 0 to 11 alone sees what it always saw on a disk below 2^32 blocks.
struct TestSnapshot {
    static constexpr int kHighWords = 12;
    std::uint32_t words[16];
};

// Block number `index` (0 to 3) of a snapshot, and storing one.
inline std::uint64_t SnapshotBlock(const TestSnapshot& snapshot, int index) {
    return std::uint64_t{snapshot.words[TestSnapshot::kHighWords + index]} << 32 | snapshot.words[index];
}
inline void SetSnapshotBlock(TestSnapshot* snapshot, int index, std::uint64_t block) {
    snapshot->words[index] = static_cast<std::uint32_t>(block);
    snapshot->words[TestSnapshot::kHighWords + index] = static_cast<std::uint32_t>(block >> 32);
}

// Time-out of every measuring command, in seconds.
constexpr std::uint32_t kMeasureTimeOutSeconds = 30;

class TestThread : public WorkerThread {
public:
    ~TestThread() override;

    // The clock, wall time and buffers the next runs use; the real system unless a test or a
    // demo gives others. Call it before Start.
    void UseServices(SystemServices& services) { this->services = &services; }

    // Choices for the next runs of a transfer test (other tests ignore them); before Start.
    void SetTransferChoices(const TransferChoices& choices) { this->choices = choices; }

    virtual void GetSnapshot(TestSnapshot* snapshot) const = 0;

    // The run's command times so far (every clean measured command, in ticks); any thread.
    void GetLatency(LatencyHistogram* copy) const { latency.CopyTo(copy); }
    // Ticks from the start of the run's first clean command to the end of its last; any thread.
    std::uint64_t GetWallTicks() const { return wallTicks.load(std::memory_order_relaxed); }

    std::uint64_t GetTicksPerSecond() const { return ticksPerSecond; }
    std::uint32_t GetMode() const { return mode; }

protected:
    TestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
               std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t totalSteps);

    // Counters, totals, extremes and progress back to their start values.
    void ResetCounters();
    // Posts WM_TEST_FAILED with `reason` after releasing the data buffer; the run's result.
    std::uint32_t Fail(std::uintptr_t reason, RunBuffer* buffer = nullptr);
    // Ends a run normally: buffer released, no estimate, WM_TEST_FINISHED; the run's result.
    std::uint32_t Finish(RunBuffer* buffer);
    // The measuring loop starts now.
    void BeginMeasuring();
    // The device's block length and the bytes of a command of `blocks` blocks, asked at the
    // start of a run; false when the capacity cannot be had, the block length is 0, or the
    // bytes do not fit the 32-bit DataTransferLength.
    bool TransferLength(std::uint32_t blocks, std::uint32_t* blockLength, std::uint32_t* bytes);

    // Once before every command: false when the run is to end; otherwise gives up the rest of
    // the time slice so the command starts on a fresh one.
    bool GoOn() {
        if (!running.load(std::memory_order_relaxed)) return false;
        services->GiveUpTimeSlice();
        return true;
    }

    // Sends the prepared request for `length` bytes between two clock readings and counts it.
    // The start reading is skipped when the previous end reading was exactly 0, and the
    // previous start stands in. True only for a clean command that moved all its bytes: the
    // call succeeded, the status is GOOD, the sense is empty. Anything else is a failed command
    // whose time must not become a sample.
    bool TimeCommand(ScsiRequest* request, std::uint32_t length, std::uint64_t* ticks) {
        PrepareToSend(request, length);
        if (endStamp != 0) startStamp = services->ReadClock(mode);
        const int result = device->ExecutePassThrough(request);
        endStamp = services->ReadClock(mode);
        commandCount.store(commandCount.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
        *ticks = endStamp - startStamp;
        if (!IsCleanTransfer(result, *request, length)) return false;
        latency.Add(*ticks);
        if (firstStamp == kNoStamp) firstStamp = startStamp;
        wallTicks.store(endStamp - firstStamp, std::memory_order_relaxed);
        return true;
    }

    // The fields a request gets back from the port are set again before every send: Windows
    // writes the bytes really moved into DataTransferLength and the sense bytes it returned
    // into SenseInfoLength, so a request resent unchanged would ask for less each time.
    static void PrepareToSend(ScsiRequest* request, std::uint32_t length);
    static bool IsCleanTransfer(int result, const ScsiRequest& request, std::uint32_t length);

    // A transfer sample of `bytes` in `ticks` (not 0): its rate, and the average, maximum and
    // minimum over the run. Returns the sample's rate.
    std::uint32_t TakeRateSample(std::uint64_t ticks, std::uint64_t bytes);

    void RecordProgress(std::uint64_t step, bool endReached) {
        progress.Record(static_cast<std::uint32_t>(step), endReached, services->Time());
    }

    // Words 4 to 11: the command count, the three figures in the order given, progress,
    // estimate and elapsed seconds. A minimum never lowered reads 0.
    void FillCounters(TestSnapshot* snapshot, bool minimumFirst) const;

    static std::uint32_t Load(const std::atomic<std::uint32_t>& value) {
        return value.load(std::memory_order_relaxed);
    }
    static void Store(std::atomic<std::uint32_t>& field, std::uint32_t value) {
        field.store(value, std::memory_order_relaxed);
    }

    Device* const device;
    const std::uint64_t ticksPerSecond;
    const std::uint32_t mode;
    SystemServices* services;
    TransferChoices choices;

    std::atomic<std::uint64_t> commandCount{0};
    std::atomic<std::uint32_t> maximum{0};
    std::atomic<std::uint32_t> average{0};
    std::atomic<std::uint32_t> minimum{0xFFFFFFFFu};
    ProgressTracker progress;
    LatencyRecorder latency;
    std::atomic<std::uint64_t> wallTicks{0};

    // Worker only.
    std::uint64_t totalTicks = 0;
    std::uint64_t totalBytes = 0;
    std::uint64_t startStamp = 0;
    std::uint64_t endStamp = 1;
    static constexpr std::uint64_t kNoStamp = ~std::uint64_t{0};
    std::uint64_t firstStamp = kNoStamp;
};

}  // namespace sektra
