// Disks beyond 2^32 blocks and disks of 4096-byte blocks: every block is reached, READ(16) and
// WRITE(16) exactly where 32 bits do not reach, the access-time test where SEEK(10) cannot, and
// the figures of 4096-byte blocks.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "engine/RandomTestThread.h"
#include "engine/RepeatTestThread.h"
#include "engine/SeekTestThread.h"
#include "engine/SequentialTestThread.h"

namespace sektra {
namespace {

// A 12 TB disk of 512-byte blocks: 23,437,770,752 blocks. Its inner tenth, worked out by hand:
// 90 % is block 21,093,993,676.8, so blocks 21,093,993,676 to 23,437,770,751.
constexpr std::uint64_t kTwelveTerabyteBlocks = 23437770752ull;
constexpr std::uint64_t kInnerFirst = 21093993676ull;
constexpr std::uint64_t kInnerLast = 23437770751ull;

TEST(LargeDiskTest, SequentialReadOfTheInnerTenthOfA12TerabyteDisk) {
    EngineFixture disk(kTwelveTerabyteBlocks);
    disk.Port().forwardMeasuring = false;  // 1.2 TB of data need not move to prove the addresses
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 65535, 90,
                                    100, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    // 2,343,777,076 blocks: 35,763 commands of 65,535 and one of 48,871.
    ASSERT_EQ(sent.size(), 35764u);
    std::uint64_t next = kInnerFirst;
    for (const SentCommand& c : sent) {
        ASSERT_EQ(c.opcode, 0x88);
        ASSERT_EQ(c.cdbLength, 16);
        ASSERT_EQ(c.lba, next);
        next += c.blocks;
    }
    EXPECT_EQ(sent.back().blocks, 48871u);
    EXPECT_EQ(next, kInnerLast + 1);

    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(SnapshotBlock(s, 0), kInnerFirst);
    EXPECT_EQ(SnapshotBlock(s, 1), kInnerLast);
    EXPECT_EQ(SnapshotBlock(s, 2), kInnerLast - 48870);  // the last command's blocks
    EXPECT_EQ(SnapshotBlock(s, 3), kInnerLast);
    EXPECT_EQ(s.words[9], 1000u);
    // Position columns of 2^21 blocks (the smallest power of two above 2,343,777,076 ÷ 2000).
    const SampleTable *progress, *position;
    std::uint32_t points;
    std::uint64_t step;
    thread.GetSamples(&progress, &position, &points, &step);
    EXPECT_EQ(step, 2097152u);
    EXPECT_EQ(points, 1118u);
}

TEST(LargeDiskTest, RandomReadOfTheInnerTenthReachesOnlyItsBlocks) {
    EngineFixture disk(kTwelveTerabyteBlocks);
    RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 90, 100, 801);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    // The device's own log: 10,000 READ(16) commands, all inside the inner tenth.
    std::uint64_t reads = 0, lowest = ~0ull, highest = 0;
    for (const LoggedCommand& c : disk.Emulated().Log().Entries()) {
        if (c.opcode != 0x88) continue;
        ++reads;
        EXPECT_EQ(c.result, CommandResult::Good);
        lowest = std::min(lowest, c.lba);
        highest = std::max(highest, c.lba + c.blocks - 1);
    }
    EXPECT_EQ(reads, 10000u);
    EXPECT_GE(lowest, kInnerFirst);
    EXPECT_LE(highest, kInnerLast);
    // Spread over the tenth, not bunched at its start: the range is 2,343,777,069 positions wide.
    EXPECT_LT(lowest, kInnerFirst + 10000000);
    EXPECT_GT(highest, kInnerLast - 10000000);
}

TEST(LargeDiskTest, TenByteCommandsBelow2To32AndSixteenByteOnesFromThere) {
    // 2^32 + 2^20 blocks; the last 1 % starts at block 4,253,055,713, below 2^32.
    const std::uint64_t blocks = (1ull << 32) + (1ull << 20);
    for (const bool write : {false, true}) {
        EngineFixture disk(blocks);
        disk.Port().forwardMeasuring = false;
        std::unique_ptr<TestThread> thread;
        if (write) {
            thread = std::make_unique<SequentialWriteTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1,
                                                                 65535, 99, 100, 201);
        } else {
            thread = std::make_unique<SequentialReadTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1,
                                                                65535, 99, 100, 201);
        }
        EXPECT_EQ(disk.RunDirect(*thread), 0u);
        const std::vector<SentCommand> sent = disk.Measured();
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front().lba, 4253055713u);
        int tenByte = 0, sixteenByte = 0;
        std::uint64_t next = 4253055713u;
        for (const SentCommand& c : sent) {
            const bool below = c.lba + c.blocks - 1 <= 0xFFFFFFFFu;
            const std::uint8_t expected = below ? (write ? 0x2A : 0x28) : (write ? 0x8A : 0x88);
            ASSERT_EQ(c.opcode, expected) << c.lba;
            ASSERT_EQ(c.cdbLength, below ? 10 : 16);
            ASSERT_EQ(c.lba, next);
            next += c.blocks;
            ++(below ? tenByte : sixteenByte);
        }
        EXPECT_EQ(next, blocks);
        // 2^32 - 4,253,055,713 = 41,911,583 blocks below 2^32: 639 whole commands, and the
        // 640th crosses into 2^32 and goes as a 16-byte command.
        EXPECT_EQ(tenByte, 639);
        EXPECT_GT(sixteenByte, 0);
    }
}

TEST(LargeDiskTest, AccessTimeWhereSeekCannotReachOrIsRefused) {
    struct Case {
        const char* name;
        std::uint64_t blocks;
        bool supportsSeek;
        SeekMethod method;
    };
    const Case cases[] = {
        {"12 TB disk", kTwelveTerabyteBlocks, true, SeekMethod::Access},
        {"flash disk without SEEK(10)", 1048576, false, SeekMethod::Access},
        {"hard disk", 1048576, true, SeekMethod::Seek},
        {"exactly 2^32 blocks", 1ull << 32, true, SeekMethod::Seek},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture disk(c.blocks, 512, 16u << 20, [&](DeviceConfig& config) { config.supportsSeek = c.supportsSeek; });
        SeekTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 0, c.blocks - 1,
                              20, 0, 201);
        EXPECT_EQ(thread.GetMethod(), c.method);
        EXPECT_EQ(disk.RunDirect(thread), 0u);
        const std::vector<SentCommand> sent = disk.Measured();
        ASSERT_EQ(sent.size(), 21u);  // the untimed positioning, then 20 timed
        for (std::size_t i = 0; i < sent.size(); ++i) {
            const std::uint64_t target = i % 2 == 0 ? 0 : c.blocks - 1;  // full strokes
            EXPECT_EQ(sent[i].lba, target);
            if (c.method == SeekMethod::Seek) {
                EXPECT_EQ(sent[i].opcode, 0x2B);
                EXPECT_EQ(sent[i].transferLength, 0u);
            } else {
                // One block from the medium (FUA), never a mix with SEEK(10).
                EXPECT_EQ(sent[i].opcode, target > 0xFFFFFFFFu ? 0x88 : 0x28);
                EXPECT_EQ(sent[i].blocks, 1u);
                EXPECT_EQ(sent[i].cdb[1] & 0x08, 0x08);
                EXPECT_EQ(sent[i].transferLength, 512u);
            }
        }
        TestSnapshot s = {};
        thread.GetSnapshot(&s);
        EXPECT_EQ(SnapshotBlock(s, 1), c.blocks - 1);
        EXPECT_EQ(SnapshotBlock(s, 2), 0u);  // the twentieth stroke ends at the first block
        EXPECT_EQ(s.words[6], 100u);  // 1000 ticks of 100 ns each
        EXPECT_EQ(s.words[9], 200u);
    }
}

TEST(LargeDiskTest, RandomAccessTimesOverTheWhole12TerabyteDisk) {
    EngineFixture disk(kTwelveTerabyteBlocks);
    SeekTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 0,
                          kTwelveTerabyteBlocks - 1, 1000, 1, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    std::uint64_t above = 0;
    for (const SentCommand& c : disk.Measured()) {
        ASSERT_LE(c.lba, kTwelveTerabyteBlocks - 1);
        if (c.lba > 0xFFFFFFFFu) ++above;
    }
    // Positions are spread over all 64 bits of the range: about 82 % lie above 2^32.
    EXPECT_GT(above, 700u);
}

TEST(LargeDiskTest, FourKilobyteBlocksMoveAndRateByTheirLength) {
    // Every command takes 1000 ticks of a 10 MHz clock (100 µs). 16 blocks of 4096 bytes are
    // 65,536 bytes: 655,360,000 bytes per second, 640,000 KB/s.
    EngineFixture disk(10007, 4096);
    SequentialReadTestThread sequential(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 16, 0,
                                        10, 201);
    EXPECT_EQ(disk.RunDirect(sequential), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    // Blocks 0 to 999: 62 commands of 16 and one of 8 (32,768 bytes, 320,000 KB/s).
    ASSERT_EQ(sent.size(), 63u);
    EXPECT_EQ(sent.front().transferLength, 65536u);
    EXPECT_EQ(sent.back().transferLength, 32768u);
    TestSnapshot s = {};
    sequential.GetSnapshot(&s);
    EXPECT_EQ(s.words[6], 640000u);
    EXPECT_EQ(s.words[8], 320000u);
    // 1000 blocks × 4096 bytes in 63 × 1000 ticks: 4,096,000 × 10^7 ÷ 63,000 ÷ 1024 = 634,920.
    EXPECT_EQ(s.words[7], 634920u);

    EngineFixture cache(10007, 4096);
    CacheHitTestThread hit(cache.Window(), cache.GetDevice(), cache.TpsLow(), 0, kPerformanceCounter, 16, 201);
    EXPECT_EQ(cache.RunDirect(hit), 0u);
    EXPECT_EQ(cache.Measured().back().transferLength, 65536u);
    hit.GetSnapshot(&s);
    EXPECT_EQ(s.words[7], 640000u);
}

}  // namespace
}  // namespace sektra
