// What each test thread records of its command times: every timed command that came back clean,
// nothing of the untimed ones before the measuring or of a failed one, and a fresh record each
// run. The times are known ticks on the virtual clock, so the figures are worked out by hand.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "TestKinds.h"
#include "engine/LatencyFigures.h"

namespace sektra {
namespace {

// Commands a test sends before it starts timing: the seek test's first positioning and the
// cache hit test's warm-up reads.
std::uint64_t Untimed(const TestKind& kind) { return kind.name == "seek" ? 1 : kind.name == "cache hit" ? 10 : 0; }

// Of every 100 timed commands, 90 take 1000 ticks (100 µs on the 10 MHz clock), 9 take 2000
// and the last 51200 (5.12 ms): a long tail. Each value is the lowest of its bucket (1000 and
// 2000 are 2^9 + 61 × 2^3 and 2^10 + 122 × 2^3, 51200 is 2^15 + 72 × 2^8), so the percentiles
// are the values themselves.
std::uint64_t TailTicks(std::uint64_t timed) {
    const std::uint64_t place = timed % 100;
    return place < 90 ? 1000 : place < 99 ? 2000 : 51200;
}

LatencyFigures FiguresOf(const TestThread& thread) {
    LatencyHistogram histogram;
    thread.GetLatency(&histogram);
    return SummarizeLatency(histogram, thread.GetTicksPerSecond(), thread.GetWallTicks());
}

TEST(LatencyRecordingTest, EveryTestRecordsItsTimedCommandsOnly) {
    // 16000 blocks: the sequential test's tenth is 1600 blocks, 100 commands of 16. The random
    // test sends 10000 commands, the others 1000: all whole multiples of the 100-command cycle.
    const std::uint64_t timedCommands[] = {100, 100, 10000, 10000, 1000, 1000, 1000, 1000};
    int k = 0;
    for (const TestKind& kind : AllTestKinds()) {
        SCOPED_TRACE(kind.name);
        EngineFixture disk(16000);
        std::unique_ptr<TestThread> thread = kind.make(disk, disk.TpsLow());
        const std::uint64_t untimed = Untimed(kind);
        // The untimed commands take 7 ticks: a 7 anywhere in the record would be theirs.
        disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
            return index < untimed ? 7 : TailTicks(index - untimed);
        };
        ASSERT_EQ(disk.RunDirect(*thread), 0u);
        ASSERT_EQ(disk.Measured().size(), untimed + timedCommands[k]);

        LatencyHistogram h;
        thread->GetLatency(&h);
        EXPECT_EQ(h.Count(), timedCommands[k]);
        EXPECT_EQ(h.TotalTicks(), timedCommands[k] / 100 * (90 * 1000 + 9 * 2000 + 51200));
        const LatencyFigures f = FiguresOf(*thread);
        EXPECT_EQ(f.commands, timedCommands[k]);
        EXPECT_EQ(f.minimumNs, 100000u);    // 1000 ticks of 100 ns
        EXPECT_EQ(f.meanNs, 159200u);       // (90·1000 + 9·2000 + 51200) ÷ 100 = 1592 ticks
        EXPECT_EQ(f.p50Ns, 100000u);
        EXPECT_EQ(f.p90Ns, 100000u);        // rank 0.9·n is the last of the 1000-tick ones
        EXPECT_EQ(f.p99Ns, 200000u);        // rank 0.99·n is the last of the 2000-tick ones
        EXPECT_EQ(f.p999Ns, 5120000u);      // rank 0.999·n lies in the last 1 %
        EXPECT_EQ(f.p9999Ns, 5120000u);
        EXPECT_EQ(f.maximumNs, 5120000u);
        EXPECT_EQ(f.iops, 6281u);           // 10^7 ÷ 1592 = 6281.4
        // Nothing but the commands moves the virtual clock: the wall time is their sum.
        EXPECT_EQ(thread->GetWallTicks(), h.TotalTicks());
        EXPECT_EQ(f.wallIops, 6281u);
        ++k;
    }
}

TEST(LatencyRecordingTest, AFailedRunKeepsItsGoodCommandsAndTheNextRunStartsAfresh) {
    for (const TestKind& kind : AllTestKinds()) {
        SCOPED_TRACE(kind.name);
        EngineFixture disk;
        std::unique_ptr<TestThread> thread = kind.make(disk, disk.TpsLow());
        const std::uint64_t untimed = Untimed(kind);
        // A first, clean run of commands of 3000 ticks.
        disk.Port().ticks = [](std::uint64_t, const SentCommand&) -> std::uint64_t { return 3000; };
        ASSERT_EQ(disk.RunDirect(*thread), 0u);
        LatencyHistogram first;
        thread->GetLatency(&first);
        ASSERT_GT(first.Count(), 3u);

        // The second run: the fourth timed command fails after 1 tick; the three before it took
        // 1000, 1000 and 4000. Nothing of the first run and nothing of the failed one remains.
        const std::uint64_t base = disk.Measured().size();
        disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
            const std::uint64_t timed = index - base - untimed;
            return index < base + untimed ? 7 : timed == 3 ? 1 : timed == 2 ? 4000 : 1000;
        };
        const std::uint64_t capacityCalls = kind.name == "read buffer" || kind.name == "write buffer" ? 0 : 1;
        disk.Emulated().AddFault(
            {FaultAction::FailControl, static_cast<std::int64_t>(disk.Emulated().Log().Total() + capacityCalls + untimed + 3)});
        disk.Messages();
        ASSERT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu);
        LatencyHistogram h;
        thread->GetLatency(&h);
        EXPECT_EQ(h.Count(), 3u);
        EXPECT_EQ(h.TotalTicks(), 6000u);
        EXPECT_EQ(h.Minimum(), 1000u);
        EXPECT_EQ(h.Maximum(), 4000u);
        EXPECT_EQ(h.Percentile(500000), 1000u);  // rank 2 of {1000, 1000, 4000}
        EXPECT_EQ(thread->GetWallTicks(), 6000u);
    }
}

TEST(LatencyRecordingTest, TimesOfTheEmulatorsOwnModel) {
    // The emulated device spends 20 µs on every command plus 8192 bytes at 100 MB/s through its
    // interface, 81.92 µs: 101.92 µs, 1019 ticks of 100 ns once truncated to the clock.
    EngineFixture disk(10007, 512, 16u << 20, [](DeviceConfig& config) {
        config.timing.mode = TimeMode::Virtual;
        config.timing.commandNs = 20000;
        config.timing.interfaceBytesPerSecond = 100000000;
    });
    disk.Port().ticks = [](std::uint64_t, const SentCommand&) -> std::uint64_t { return 0; };
    ReadBufferTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 201);
    ASSERT_EQ(disk.RunDirect(thread), 0u);
    const LatencyFigures f = FiguresOf(thread);
    EXPECT_EQ(f.commands, 1000u);
    EXPECT_EQ(f.minimumNs, 101900u);
    EXPECT_EQ(f.p50Ns, 101900u);
    EXPECT_EQ(f.p9999Ns, 101900u);
    EXPECT_EQ(f.maximumNs, 101900u);
    EXPECT_EQ(f.meanNs, 101900u);
    EXPECT_EQ(f.iops, 9813u);  // 10^7 ÷ 1019 = 9813.5
    EXPECT_EQ(f.wallIops, 9813u);
}

}  // namespace
}  // namespace sektra
