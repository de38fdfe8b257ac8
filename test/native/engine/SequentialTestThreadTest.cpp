#include "engine/SequentialTestThread.h"

#include <gtest/gtest.h>

#include <map>

#include "EngineFixture.h"

namespace sektra {
namespace {

struct RangeCase {
    std::uint32_t startPercent, endPercent;
    std::uint32_t firstLba, lastLba;  // worked out by hand for 10007 blocks
};

// 10007 blocks: 45 % is 4503.15, 55 % 5503.85, 10 % 1000.7, 90 % 9006.3.
const RangeCase kRanges[] = {
    {0, 100, 0, 10006},
    {0, 10, 0, 999},
    {45, 55, 4503, 5502},
    {90, 100, 9006, 10006},
};

TEST(SequentialTestThreadTest, WalksEachRangeOnceAndShortensTheLastCommand) {
    for (const RangeCase& r : kRanges) {
        EngineFixture disk;  // 10007 blocks of 512 bytes, every command 1000 ticks
        SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 128,
                                        r.startPercent, r.endPercent, 201);
        EXPECT_EQ(disk.RunDirect(thread), 0u);

        const std::uint32_t rangeBlocks = r.lastLba - r.firstLba + 1;
        const std::uint32_t fullCommands = rangeBlocks / 128, rest = rangeBlocks % 128;
        const std::vector<SentCommand> sent = disk.Measured();
        ASSERT_EQ(sent.size(), fullCommands + (rest ? 1 : 0)) << r.startPercent << "-" << r.endPercent;
        std::uint32_t next = r.firstLba;
        for (const SentCommand& c : sent) {
            EXPECT_EQ(c.opcode, 0x28);
            EXPECT_EQ(c.dataIn, kScsiIoctlDataIn);
            EXPECT_EQ(c.lba, next);
            EXPECT_EQ(c.transferLength, c.blocks * 512u);
            next += c.blocks;
        }
        EXPECT_EQ(next, r.lastLba + 1);
        EXPECT_EQ(sent.back().blocks, rest ? rest : 128);
        EXPECT_FALSE(disk.Emulated().Log().AnyWriteSent());

        TestSnapshot s = {};
        thread.GetSnapshot(&s);
        EXPECT_EQ(s.words[0], r.firstLba);
        EXPECT_EQ(s.words[1], r.lastLba);
        EXPECT_EQ(s.words[3], r.lastLba);  // the last command ended on the last block
        EXPECT_EQ(s.words[4], sent.size());
        EXPECT_EQ(s.words[5], 0u);
        EXPECT_EQ(s.words[6], ExpectedRate(65536, 1000));  // 640000 KB/s
        EXPECT_EQ(s.words[7], ExpectedRate(std::uint64_t{rangeBlocks} * 512, 1000 * sent.size()));
        EXPECT_EQ(s.words[8], ExpectedRate(rest ? rest * 512 : 65536, 1000));
        EXPECT_EQ(s.words[9], 1000u);
        EXPECT_EQ(s.words[10], 0u);  // no estimate after the end

        const std::vector<PostedMessage> messages = disk.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].message, WM_TEST_FINISHED);
        EXPECT_EQ(messages[0].wParam, 0u);
        EXPECT_EQ(disk.Services().OutstandingBuffers(), 0);
    }
}

TEST(SequentialTestThreadTest, WriteSendsWriteTenWithZeros) {
    EngineFixture disk(4000);
    SequentialWriteTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 64, 0,
                                     10, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 400u / 64 + 1);
    for (const SentCommand& c : sent) {
        EXPECT_EQ(c.opcode, 0x2A);
        EXPECT_EQ(c.dataIn, kScsiIoctlDataOut);
    }
    EXPECT_TRUE(disk.Emulated().IsBlockWritten(399));
    EXPECT_FALSE(disk.Emulated().IsBlockWritten(400));
    EXPECT_EQ(disk.Emulated().ReadMedium(0, 1), std::vector<std::uint8_t>(512, 0));
}

TEST(SequentialTestThreadTest, ZeroTickCommandsAreRepeatedAndTheirBytesCarried) {
    EngineFixture disk;
    // Commands 3 and 4 measure 0 ticks; command 5 carries their bytes.
    disk.Port().ticks = [](std::uint64_t index, const SentCommand&) -> std::uint64_t {
        return index == 3 || index == 4 ? 0 : 1000;
    };
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 128, 0,
                                    10, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 8u + 2);  // 1000 blocks: 8 commands, two of them sent thrice
    EXPECT_EQ(sent[3].lba, 384u);
    EXPECT_EQ(sent[4].lba, 384u);
    EXPECT_EQ(sent[5].lba, 384u);
    EXPECT_EQ(sent[6].lba, 512u);

    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 10u);
    EXPECT_EQ(s.words[6], ExpectedRate(3 * 65536, 1000));
    EXPECT_EQ(s.words[7], ExpectedRate(1000 * 512 + 2 * 65536, 8000));
    const SampleTable* progress;
    const SampleTable* position;
    std::uint32_t points;
    std::uint64_t step;
    thread.GetSamples(&progress, &position, &points, &step);
    // Column of LBA 384: 384 × 1000 ÷ 999 = 384.
    EXPECT_EQ(progress->Get(0, 384), ExpectedRate(3 * 65536, 1000));
    EXPECT_EQ(progress->Get(3, 384), 1u);
}

TEST(SequentialTestThreadTest, TablesKeepColumnAveragesAndPositionSteps) {
    // 4000 blocks, one per command, each command 100 + k ticks: four commands share a progress
    // column (k × 1000 ÷ 3999) and a position column (positionStep 4: the smallest power of
    // two above 4000 ÷ 2000 = 2).
    EngineFixture disk(4000);
    disk.Port().ticks = [](std::uint64_t index, const SentCommand&) -> std::uint64_t { return 100 + index % 7; };
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 1, 0,
                                    100, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const SampleTable* progress;
    const SampleTable* position;
    std::uint32_t points;
    std::uint64_t step;
    thread.GetSamples(&progress, &position, &points, &step);
    EXPECT_EQ(step, 4u);
    EXPECT_EQ(points, 1001u);  // 4000 ÷ 4 + 1
    ASSERT_EQ(position->Columns(), 1001u);
    ASSERT_EQ(progress->Columns(), 1000u);
    ASSERT_EQ(progress->Rows(), 205u);

    // Column 1 of both tables holds LBAs 4 to 7 (4000 ÷ 3999 = 1 … 7000 ÷ 3999 = 1).
    const std::uint64_t ticks[] = {100 + 4 % 7, 100 + 5 % 7, 100 + 6 % 7, 100 + 7 % 7};  // 104 105 106 100
    for (const SampleTable* table : {progress, position}) {
        EXPECT_EQ(table->Get(0, 1), ExpectedRate(512, 100));
        EXPECT_EQ(table->Get(1, 1), ExpectedRate(4 * 512, ticks[0] + ticks[1] + ticks[2] + ticks[3]));
        EXPECT_EQ(table->Get(2, 1), ExpectedRate(512, 106));
        EXPECT_EQ(table->Get(3, 1), 4u);
        // Each sample in its 512 KB/s cell, counted from row 204 (cell 0) upwards.
        std::map<std::uint32_t, std::uint32_t> rows;
        for (std::uint64_t t : ticks) ++rows[204 - ExpectedRate(512, t) / 512];
        for (const auto& row : rows) EXPECT_EQ(table->Get(row.first, 1), row.second) << "row " << row.first;
    }
    // The last progress column holds LBAs 3996 to 3998 and then LBA 3999 (3999 × 1000 ÷ 3999 =
    // 1000, lowered to 999), which starts a new run of samples.
    EXPECT_EQ(progress->Get(3, 999), 4u);
    EXPECT_EQ(progress->Get(1, 999), ExpectedRate(512, 100 + 3999 % 7));
    EXPECT_EQ(position->Get(3, 999), 4u);
    EXPECT_EQ(position->Get(3, 1000), 0u);  // 4000 ÷ 4 = 1000 columns in use: the last is empty
    EXPECT_EQ(position->Get(2, 1000), 0xFFFFFFFFu);
}

TEST(SequentialTestThreadTest, SparseRangeLeavesUntouchedColumnsAtTheirStartValues) {
    EngineFixture disk;
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 128, 0,
                                    10, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const SampleTable* progress;
    const SampleTable* position;
    std::uint32_t points;
    std::uint64_t step;
    thread.GetSamples(&progress, &position, &points, &step);
    EXPECT_EQ(step, 1u);  // 1000 blocks ÷ 2000 = 0: step 1
    EXPECT_EQ(points, 1001u);
    // Samples start at LBA 0, 128, …: columns 0, 128, 256, … (× 1000 ÷ 999).
    EXPECT_EQ(progress->Get(3, 128), 1u);
    EXPECT_EQ(progress->Get(0, 128), ExpectedRate(65536, 1000));
    // 640000 KB/s is above the top cell (200 × 512): row 4.
    EXPECT_EQ(progress->Get(4, 128), 1u);
    for (std::uint32_t c : {1u, 127u, 129u, 999u}) {
        EXPECT_EQ(progress->Get(0, c), 0u);
        EXPECT_EQ(progress->Get(2, c), 0xFFFFFFFFu);
        EXPECT_EQ(progress->Get(3, c), 0u);
    }
    EXPECT_EQ(position->Get(3, 896), 1u);
    EXPECT_EQ(position->Get(2, 897), 0xFFFFFFFFu);
}

TEST(SequentialTestThreadTest, RangeEndingAtTheLastAddressableBlockEnds) {
    // 2^32 blocks: the last block is 0xFFFFFFFF, and the cursor must not wrap past it.
    EngineFixture disk(std::uint64_t{1} << 32);
    disk.Port().forwardMeasuring = false;
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 65535, 99,
                                    100, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    // 99 % of 2^32 is 4252017623.04.
    const std::uint64_t rangeBlocks = 0x100000000ull - 4252017623ull;
    ASSERT_EQ(sent.size(), (rangeBlocks + 65534) / 65535);
    EXPECT_EQ(sent.front().lba, 4252017623u);
    EXPECT_EQ(std::uint64_t{sent.back().lba} + sent.back().blocks - 1, 0xFFFFFFFFull);
    const SampleTable* progress;
    const SampleTable* position;
    std::uint32_t points;
    std::uint64_t step;
    thread.GetSamples(&progress, &position, &points, &step);
    // 42949673 ÷ 2000 = 21474: step 32768, points 42949673 ÷ 32768 + 1 = 1311.
    EXPECT_EQ(step, 32768u);
    EXPECT_EQ(points, 1311u);
}

TEST(SequentialTestThreadTest, FirstEstimateAtStepTwoAndStopEndsLikeAFinish) {
    // 10000 blocks, range (0, 10): LBA k is column k × 1000 ÷ 999 = k for k < 999. One block
    // per command, one second per command; the snapshots are taken while commands 3 and 4 run.
    EngineFixture disk(10000);
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 1, 0, 10,
                                    201);
    TestSnapshot during[5] = {};
    disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
        thread.GetSnapshot(&during[index]);
        if (index == 4) thread.SetRunning(false);
        return EngineFixture::kTicksPerSecond;
    };
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::int32_t start = EngineFixture::kStartTime + 1;  // the clock stood at 1 s
    // Step seconds: 0 at the start, step 1 at 2 s, step 2 at 3 s, step 3 at 4 s.
    EXPECT_EQ(during[2].words[10], 0u);  // only step 1 so far
    EXPECT_EQ(during[2].words[9], 1u);
    // (0,0) (1,2) (2,3): (3·8 − 3·5)·1000 ÷ (3·5 − 9) = 1500.
    EXPECT_EQ(during[3].words[10], static_cast<std::uint32_t>(start + 1500));
    // (0,0) (1,2) (2,3) (3,4): (4·20 − 6·9)·1000 ÷ (4·14 − 36) = 1300.
    EXPECT_EQ(during[4].words[10], static_cast<std::uint32_t>(start + 1300));
    EXPECT_EQ(during[4].words[11], 4u);

    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 5u);
    EXPECT_EQ(s.words[9], 4u);
    EXPECT_EQ(s.words[10], 0u);  // a stopped run ends like a finished one: no estimate left
    const std::vector<PostedMessage> messages = disk.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_TEST_FINISHED);
}

}  // namespace
}  // namespace sektra
