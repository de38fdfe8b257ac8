#pragma once
// The one place where the runner meets the measurement engine: it builds the test thread the
// test window would build, starts it, watches it until its end message and reads its figures,
// and saves the result file with the window's writer. Everything it hands back is plain data
// with 64-bit block numbers.
#include <cstdint>
#include <string>

#include "cli/CliArguments.h"
#include "engine/LatencyFigures.h"
#include "engine/TransferChoices.h"

namespace sektra {

class Device;
class SystemServices;

struct EngineRunPlan {
    const CliTestInfo* test = nullptr;
    // Blocks per command (transfer tests, cache hit) or kilobytes (buffer tests).
    std::uint32_t size = 0;
    // Transfer tests: the range in percent of the capacity. Seek: the blocks it computes to.
    std::uint32_t startPercent = 0;
    std::uint32_t endPercent = 100;
    std::uint64_t firstBlock = 0;
    std::uint64_t lastBlock = 0;
    // Histogram cells of the seek, cache and buffer tests (the "PerformCells" setting).
    std::uint32_t histogramCells = 201;
    TransferChoices choices;  // aligned positions, random write data (transfer tests only)

    // The result file, written only after a complete run; empty: none.
    std::wstring csvPath;
    std::wstring model;     // the device's model and revision as the device tree shows them
    std::wstring revision;
    std::wstring title;     // the window's title of this test
    std::uint32_t blockLength = 0;
};

struct EngineProgress {
    std::uint32_t progress = 0;      // 0 ... fullProgress
    std::uint32_t fullProgress = 1;
    std::uint64_t commands = 0;
    std::uint32_t average = 0;       // KB/s, or µs for the seek test
    std::uint32_t elapsedSeconds = 0;
};

class EngineRunObserver {
public:
    virtual ~EngineRunObserver() = default;
    // Asked a few times a second while the test runs; true stops it after the command in flight.
    virtual bool StopRequested() = 0;
    virtual void Progress(const EngineProgress& progress) = 0;
};

enum class RunEnd { Finished, Failed, Stopped };

struct EngineRunResult {
    RunEnd end = RunEnd::Failed;
    std::string error;               // why it failed
    bool hasBlocks = false;          // the buffer tests address no blocks
    std::uint64_t firstBlock = 0;
    std::uint64_t lastBlock = 0;
    std::uint64_t commands = 0;
    // KB/s best (highest), average, worst (lowest); for the seek test µs shortest, average, longest.
    std::uint32_t best = 0;
    std::uint32_t average = 0;
    std::uint32_t worst = 0;
    std::uint32_t elapsedSeconds = 0;
    // Every clean timed command's time (of a failed run: those before the failure).
    LatencyFigures latency;
    EngineProgress progress;
    bool csvWritten = false;
    std::string csvError;
};

// Runs the test to its end on `device` with the clock and buffers of `services`.
EngineRunResult RunOnEngine(Device& device, const EngineRunPlan& plan, SystemServices& services,
                            EngineRunObserver& observer);

}  // namespace sektra
