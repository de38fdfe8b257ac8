// The window's side reads a test's counters and tables while the worker writes them, as the
// timer does on every tick. Run under ThreadSanitizer: no lock, yet no data race.
#include <gtest/gtest.h>

#include <chrono>

#include "EngineFixture.h"
#include "engine/LatencyFigures.h"
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"

namespace sektra {
namespace {

template <typename Read>
void ReadUntilFinished(EngineFixture& disk, TestThread& thread, Read read) {
    thread.UseServices(disk.Services());
    ASSERT_EQ(thread.Start(), 0);
    PostedMessage message;
    int ticks = 0;  // how many reads overlapped the run; varies, so only recorded
    while (!disk.Queue().Wait(&message, std::chrono::milliseconds(0))) {
        TestSnapshot s = {};
        thread.GetSnapshot(&s);
        read(s);
        ++ticks;
    }
    EXPECT_EQ(message.message, WM_TEST_FINISHED);
    EXPECT_EQ(thread.Stop(), 0u);
    ::testing::Test::RecordProperty("ticks", ticks);
}

TEST(ConcurrentReadTest, SnapshotsAndTablesWhileARandomTestRuns) {
    EngineFixture disk(100000);
    RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 0, 100, 801);
    std::uint64_t seen = 0;
    ReadUntilFinished(disk, thread, [&](const TestSnapshot& s) {
        const SampleTable* table = thread.GetSamples();
        seen += s.words[4] + table->Get(3) + table->Get(4 + s.words[9] % 801);
    });
    ::testing::Test::RecordProperty("seen", static_cast<int>(seen % 1000));
}

TEST(ConcurrentReadTest, SnapshotsAndTablesWhileASequentialTestRuns) {
    EngineFixture disk(100000);
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 16, 0, 100,
                                    201);
    std::uint64_t seen = 0;
    ReadUntilFinished(disk, thread, [&](const TestSnapshot& s) {
        const SampleTable* progress;
        const SampleTable* position;
        std::uint32_t points;
        std::uint64_t step;
        thread.GetSamples(&progress, &position, &points, &step);
        const std::uint32_t column = s.words[9] < 1000 ? s.words[9] : 999;
        seen += progress->Get(1, column) + position->Get(3, column % points);
    });
    ::testing::Test::RecordProperty("seen", static_cast<int>(seen % 1000));
}

TEST(ConcurrentReadTest, LatencyRecordWhileARandomTestRuns) {
    EngineFixture disk(100000);
    RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 0, 100, 801);
    LatencyHistogram histogram;
    std::uint64_t seen = 0;
    ReadUntilFinished(disk, thread, [&](const TestSnapshot&) {
        thread.GetLatency(&histogram);
        const LatencyFigures figures = SummarizeLatency(histogram, thread.GetTicksPerSecond(), thread.GetWallTicks());
        // A copy taken mid-run may miss the command being added, never count one twice.
        EXPECT_LE(histogram.Count(), RandomTestThread::kCommands);
        seen += figures.p99Ns + figures.iops;
    });
    thread.GetLatency(&histogram);
    EXPECT_EQ(histogram.Count(), RandomTestThread::kCommands);
    ::testing::Test::RecordProperty("seen", static_cast<int>(seen % 1000));
}

}  // namespace
}  // namespace sektra
