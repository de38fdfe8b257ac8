#include "cli/EngineRun.h"

#include <memory>

#include "cli/Json.h"
#include "cli/RunMailbox.h"
#include "engine/RandomTestThread.h"
#include "engine/RepeatTestThread.h"
#include "engine/SeekTestThread.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"
#include "testwindows/BuiltInTexts.h"
#include "testwindows/CsvTables.h"

namespace sektra {
namespace {

// The histogram cells the transfer test window gives its threads.
constexpr std::uint32_t kSequentialCells = 201;
constexpr std::uint32_t kRandomCells = 801;
constexpr std::uint32_t kSeekCount = 1000;
constexpr std::uint32_t kPollMilliseconds = 100;

struct Clock {
    std::uint32_t mode;
    std::uint64_t ticksPerSecond;
};

// The performance counter, as a fresh installation sets it; the tick count where there is none.
Clock ChooseClock(SystemServices& services) {
    const std::uint64_t frequency = services.PerformanceFrequency();
    if (frequency == 0) return {kTickCount, kTickCountFrequency};
    return {kPerformanceCounter, frequency};
}

// The thread the window of this test would create, with the window's arguments.
std::unique_ptr<TestThread> MakeThread(WindowHandle window, Device* device, const EngineRunPlan& plan,
                                       const Clock& clock) {
    const auto low = static_cast<std::uint32_t>(clock.ticksPerSecond);
    const auto high = static_cast<std::uint32_t>(clock.ticksPerSecond >> 32);
    const std::uint32_t mode = clock.mode;
    switch (plan.test->test) {
    case CliTest::SeqRead:
        return std::make_unique<SequentialReadTestThread>(window, device, low, high, mode, plan.size,
                                                          plan.startPercent, plan.endPercent, kSequentialCells);
    case CliTest::SeqWrite:
        return std::make_unique<SequentialWriteTestThread>(window, device, low, high, mode, plan.size,
                                                           plan.startPercent, plan.endPercent, kSequentialCells);
    case CliTest::RndRead:
        return std::make_unique<RandomReadTestThread>(window, device, low, high, mode, plan.size, plan.startPercent,
                                                      plan.endPercent, kRandomCells);
    case CliTest::RndWrite:
        return std::make_unique<RandomWriteTestThread>(window, device, low, high, mode, plan.size, plan.startPercent,
                                                       plan.endPercent, kRandomCells);
    case CliTest::Seek:
        return std::make_unique<SeekTestThread>(window, device, low, high, mode,
                                                static_cast<std::uint32_t>(plan.firstBlock),
                                                static_cast<std::uint32_t>(plan.lastBlock), kSeekCount, 0,
                                                plan.histogramCells);
    case CliTest::CacheHit:
        return std::make_unique<CacheHitTestThread>(window, device, low, high, mode, plan.size, plan.histogramCells);
    case CliTest::ReadBuffer:
        return std::make_unique<ReadBufferTestThread>(window, device, low, high, mode, plan.size,
                                                      plan.histogramCells);
    case CliTest::WriteBuffer:
        return std::make_unique<WriteBufferTestThread>(window, device, low, high, mode, plan.size,
                                                       plan.histogramCells);
    }
    return nullptr;
}

std::uint32_t FullProgress(CliTest test) {
    const bool transfer = test == CliTest::SeqRead || test == CliTest::SeqWrite || test == CliTest::RndRead ||
                          test == CliTest::RndWrite;
    return transfer ? 1000 : 200;
}

EngineProgress ProgressOf(const TestSnapshot& snapshot, CliTest test) {
    EngineProgress progress;
    progress.progress = snapshot.words[9];
    progress.fullProgress = FullProgress(test);
    progress.commands = std::uint64_t{snapshot.words[5]} << 32 | snapshot.words[4];
    progress.average = snapshot.words[7];
    progress.elapsedSeconds = snapshot.words[11];
    return progress;
}

// The window's table of this test after the common head.
void WriteTable(CsvFile& csv, const CsvLabels& labels, TestThread& thread, const EngineRunPlan& plan) {
    switch (plan.test->test) {
    case CliTest::SeqRead:
    case CliTest::SeqWrite: {
        const SampleTable* progressTable = nullptr;
        const SampleTable* positionTable = nullptr;
        std::uint32_t points = 0;
        std::uint64_t positionStep = 0;
        static_cast<SequentialTestThread&>(thread).GetSamples(&progressTable, &positionTable, &points,
                                                              &positionStep);
        WriteSequentialTables(csv, labels, *progressTable, *positionTable, points, positionStep, plan.blockLength,
                              static_cast<SequentialTestThread&>(thread).GetFirstLba());
        break;
    }
    case CliTest::RndRead:
    case CliTest::RndWrite:
        WriteSampleTable(csv, labels, *static_cast<RandomTestThread&>(thread).GetSamples(), HistogramKind::Random);
        break;
    case CliTest::Seek:
        WriteSampleTable(csv, labels, *static_cast<SeekTestThread&>(thread).GetSamples(), HistogramKind::Seek);
        break;
    default:
        WriteSampleTable(csv, labels, *static_cast<RepeatTestThread&>(thread).GetSamples(), HistogramKind::Cache);
        break;
    }
}

void SaveCsv(TestThread& thread, const TestSnapshot& snapshot, const EngineRunPlan& plan, EngineRunResult* result) {
    const CsvLabels labels = BuiltInCsvLabels();
    CsvFile csv;
    WriteCommonRows(csv, labels, ResultSummary(plan.model, plan.revision, plan.title, snapshot, plan.test->test == CliTest::Seek));
    WriteTable(csv, labels, thread, plan);
    WriteLatencySection(csv, BuiltInCsvLatencyLabels(), thread);
    result->csvWritten = csv.SaveToFile(plan.csvPath.c_str()) == 0;
    if (!result->csvWritten) result->csvError = "cannot write " + Utf8FromWide(plan.csvPath);
}

void ReadFigures(const TestSnapshot& snapshot, const EngineRunPlan& plan, EngineRunResult* result) {
    result->progress = ProgressOf(snapshot, plan.test->test);
    result->commands = result->progress.commands;
    result->best = snapshot.words[6];
    result->average = snapshot.words[7];
    result->worst = snapshot.words[8];
    result->elapsedSeconds = snapshot.words[11];
    switch (plan.test->test) {
    case CliTest::CacheHit:
        result->hasBlocks = true;
        result->firstBlock = 0;
        result->lastBlock = plan.size - 1;
        break;
    case CliTest::ReadBuffer:
    case CliTest::WriteBuffer: break;
    default:
        result->hasBlocks = true;
        result->firstBlock = SnapshotBlock(snapshot, 0);
        result->lastBlock = SnapshotBlock(snapshot, 1);
        break;
    }
}

}  // namespace

EngineRunResult RunOnEngine(Device& device, const EngineRunPlan& plan, SystemServices& services,
                            EngineRunObserver& observer) {
    EngineRunResult result;
    RunMailbox mailbox;
    if (mailbox.Handle() == nullptr) {
        result.error = "no message window for the test thread";
        return result;
    }
    std::unique_ptr<TestThread> thread = MakeThread(mailbox.Handle(), &device, plan, ChooseClock(services));
    thread->UseServices(services);
    thread->SetTransferChoices(plan.choices);
    if (thread->Start() != 0) {
        result.error = "the test thread could not be started";
        return result;
    }
    std::uint32_t message = 0;
    std::uintptr_t reason = 0;
    bool stopped = false;
    while (!mailbox.Wait(&message, &reason, kPollMilliseconds)) {
        TestSnapshot snapshot = {};
        thread->GetSnapshot(&snapshot);
        observer.Progress(ProgressOf(snapshot, plan.test->test));
        if (!stopped && observer.StopRequested()) {
            stopped = true;
            thread->Stop();  // returns once the thread has posted its end message
        }
    }
    thread->Stop();
    TestSnapshot snapshot = {};
    thread->GetSnapshot(&snapshot);
    ReadFigures(snapshot, plan, &result);
    auto histogram = std::make_unique<LatencyHistogram>();
    thread->GetLatency(histogram.get());
    result.latency = SummarizeLatency(*histogram, thread->GetTicksPerSecond(), thread->GetWallTicks());
    if (message == WM_TEST_FAILED) {
        result.end = RunEnd::Failed;
        result.error = reason == kFailedToStart
                           ? "the test could not start: the device gave no usable capacity, or the range or the "
                             "size does not fit it, or the first command failed"
                           : "command " + std::to_string(result.commands) + " of the run failed on the device";
    } else if (stopped || result.progress.progress != result.progress.fullProgress) {
        result.end = RunEnd::Stopped;
    } else {
        result.end = RunEnd::Finished;
        if (!plan.csvPath.empty()) SaveCsv(*thread, snapshot, plan, &result);
    }
    return result;
}

}  // namespace sektra
