// How every test thread ends when something fails: exactly one WM_TEST_FAILED, the buffer
// released, and no measuring command when the failure comes before the measuring.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "TestKinds.h"

namespace sektra {
namespace {

void ExpectOneFailure(EngineFixture& disk, std::uintptr_t wParam, const std::string& name) {
    const std::vector<PostedMessage> messages = disk.Messages();
    ASSERT_EQ(messages.size(), 1u) << name;
    EXPECT_EQ(messages[0].message, WM_TEST_FAILED) << name;
    EXPECT_EQ(messages[0].wParam, wParam) << name;
    EXPECT_EQ(disk.Services().OutstandingBuffers(), 0) << name;
}

TEST(FailureTest, CapacityFailureFailsToStartWithoutATestCommand) {
    for (const TestKind& kind : AllTestKinds()) {
        if (kind.name == "read buffer" || kind.name == "write buffer") continue;  // they never ask
        EngineFixture disk;
        std::unique_ptr<TestThread> thread = kind.make(disk, disk.TpsLow());
        // From here on READ CAPACITY fails: the run's own capacity query.
        disk.Emulated().AddFault(FaultRule{FaultAction::FailControl, -1, false, 0x25});
        EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu) << kind.name;
        EXPECT_TRUE(disk.Measured().empty()) << kind.name;
        ExpectOneFailure(disk, kFailedToStart, kind.name);
    }
}

TEST(FailureTest, NoBufferFailsToStartWithoutATestCommand) {
    for (const TestKind& kind : AllTestKinds()) {
        EngineFixture disk;
        std::unique_ptr<TestThread> thread = kind.make(disk, disk.TpsLow());
        disk.Services().FailAllocations(true);
        EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu) << kind.name;
        EXPECT_TRUE(disk.Measured().empty()) << kind.name;
        ExpectOneFailure(disk, kFailedToStart, kind.name);
    }
}

TEST(FailureTest, ZeroFrequencyIsRefusedBeforeAnyCommand) {
    // A frequency of 0 must never reach a division (the settings refuse it; the threads too).
    for (const TestKind& kind : AllTestKinds()) {
        EngineFixture disk;
        std::unique_ptr<TestThread> thread = kind.make(disk, 0);
        EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu) << kind.name;
        EXPECT_TRUE(disk.Measured().empty()) << kind.name;
        ExpectOneFailure(disk, kFailedToStart, kind.name);
    }
}

TEST(FailureTest, FailingTimedCommandIsCountedAndEndsTheRun) {
    for (const TestKind& kind : AllTestKinds()) {
        EngineFixture disk;
        std::unique_ptr<TestThread> thread = kind.make(disk, disk.TpsLow());
        // The fourth timed command fails (the seek and cache hit tests send untimed ones first).
        const std::uint64_t untimed = kind.name == "seek" ? 1 : kind.name == "cache hit" ? 10 : 0;
        TestSnapshot beforeFailure = {};
        disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
            if (index == untimed + 3) thread->GetSnapshot(&beforeFailure);
            return 1000;
        };
        const std::uint64_t controlCalls = disk.Emulated().Log().Total();
        const std::uint64_t capacityCalls = kind.name == "read buffer" || kind.name == "write buffer" ? 0 : 1;
        disk.Emulated().AddFault(FaultRule{FaultAction::FailControl,
                                           static_cast<std::int64_t>(controlCalls + capacityCalls + untimed + 3)});
        EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu) << kind.name;
        EXPECT_EQ(disk.Measured().size(), untimed + 4) << kind.name;
        TestSnapshot s = {};
        thread->GetSnapshot(&s);
        EXPECT_EQ(s.words[4], 4u) << kind.name;  // the failed command counts
        for (int w = 6; w <= 9; ++w) EXPECT_EQ(s.words[w], beforeFailure.words[w]) << kind.name << " word " << w;
        ExpectOneFailure(disk, kCommandFailed, kind.name);
    }
}

TEST(FailureTest, FailingWarmUpFailsToStart) {
    EngineFixture disk;
    CacheHitTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1, 16, 201);
    disk.Emulated().AddFault(FaultRule{FaultAction::FailControl, -1, false, 0x28});
    EXPECT_EQ(disk.RunDirect(thread), 0xFFFFFFFFu);
    EXPECT_EQ(disk.Measured().size(), 1u);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 0u);
    ExpectOneFailure(disk, kFailedToStart, "cache hit");
}

TEST(FailureTest, RangesTooSmallToMeasureFailToStart) {
    struct Case {
        const char* name;
        std::uint64_t blocks;
        std::function<std::unique_ptr<TestThread>(EngineFixture&)> make;
    };
    const Case cases[] = {
        // One block: 1 % of 150 blocks is 1.5, so blocks 0 to 0.
        {"sequential single block", 150,
         [](EngineFixture& d) -> std::unique_ptr<TestThread> {
             return std::make_unique<SequentialReadTestThread>(d.Window(), d.GetDevice(), d.TpsLow(), 0, 1, 16, 0, 1,
                                                               201);
         }},
        // Nothing at all: 10 % of 5 blocks is 0.
        {"sequential empty", 5,
         [](EngineFixture& d) -> std::unique_ptr<TestThread> {
             return std::make_unique<SequentialReadTestThread>(d.Window(), d.GetDevice(), d.TpsLow(), 0, 1, 16, 0, 10,
                                                               201);
         }},
        {"sequential zero blocks per command", 10000,
         [](EngineFixture& d) -> std::unique_ptr<TestThread> {
             return std::make_unique<SequentialReadTestThread>(d.Window(), d.GetDevice(), d.TpsLow(), 0, 1, 0, 0, 10,
                                                               201);
         }},
        // 10 blocks, 16 per command.
        {"random smaller than a command", 100,
         [](EngineFixture& d) -> std::unique_ptr<TestThread> {
             return std::make_unique<RandomReadTestThread>(d.Window(), d.GetDevice(), d.TpsLow(), 0, 1, 16, 0, 10, 801);
         }},
    };
    for (const Case& c : cases) {
        EngineFixture disk(c.blocks);
        std::unique_ptr<TestThread> thread = c.make(disk);
        EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu) << c.name;
        EXPECT_TRUE(disk.Measured().empty()) << c.name;
        ExpectOneFailure(disk, kFailedToStart, c.name);
    }
    // A random range of exactly one command is fine: every command goes to its first block.
    EngineFixture disk(160);
    RandomReadTestThread exact(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1, 16, 0, 10, 801);
    EXPECT_EQ(disk.RunDirect(exact), 0u);
    for (const SentCommand& c : disk.Measured()) ASSERT_EQ(c.lba, 0u);
}

TEST(FailureTest, HistogramCellCountsFromTheSettingsCannotOverrunTheTable) {
    EngineFixture disk;
    SeekTestThread huge(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1, 0, 10006, 10, 0, 0xFFFFFFFFu);
    EXPECT_EQ(disk.RunDirect(huge), 0xFFFFFFFFu);
    ExpectOneFailure(disk, kFailedToStart, "huge cell count");
    CacheHitTestThread none(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1, 16, 0);
    EXPECT_EQ(disk.RunDirect(none), 0u);  // no histogram, the figures still count
    EXPECT_EQ(none.GetSamples()->Get(3), 1000u);
}

}  // namespace
}  // namespace sektra
