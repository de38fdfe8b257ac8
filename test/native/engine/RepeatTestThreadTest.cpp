#include "engine/RepeatTestThread.h"

#include <gtest/gtest.h>

#include "EngineFixture.h"

namespace sektra {
namespace {

TEST(RepeatTestThreadTest, CacheHitWarmsUpTenTimesThenTimesAThousand) {
    EngineFixture disk;
    TestSnapshot beforeLast = {}, atTen = {};
    CacheHitTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 128, 201);
    disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
        if (index == 1009) thread.GetSnapshot(&beforeLast);
        if (index == 20) thread.GetSnapshot(&atTen);  // the 11th timed command: 10 done
        return 1000;
    };
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 1010u);
    for (const SentCommand& c : sent) {
        ASSERT_EQ(c.opcode, 0x28);
        ASSERT_EQ(c.lba, 0u);
        ASSERT_EQ(c.blocks, 128);
        ASSERT_EQ(c.transferLength, 65536u);
    }
    EXPECT_EQ(beforeLast.words[9], 199u);
    EXPECT_NE(atTen.words[10], 0u);  // step 2 reached with the 10th command: first estimate
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 1000u);
    EXPECT_EQ(s.words[6], ExpectedRate(65536, 1000));
    EXPECT_EQ(s.words[7], ExpectedRate(65536, 1000));
    EXPECT_EQ(s.words[9], 200u);
    const SampleTable* table = thread.GetSamples();
    EXPECT_EQ(table->Get(3), 1000u);
    EXPECT_EQ(table->Get(4), 1000u);  // 640000 KB/s: the open top cell
}

// A cache hit faster than a coarse clock's tick measures 0 ticks: every one of the 1000
// commands still counts, so the run ends at full progress (200 steps of 5 commands).
TEST(RepeatTestThreadTest, CommandsOfZeroTicksStillReachFullProgress) {
    for (const std::uint64_t measured : {std::uint64_t{0}, std::uint64_t{1000}}) {
        SCOPED_TRACE(measured);
        EngineFixture disk;
        CacheHitTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 16, 201);
        // Only the last command ticks (or none): progress cannot wait for samples.
        disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
            return index == 1009 ? measured : 0;
        };
        EXPECT_EQ(disk.RunDirect(thread), 0u);
        TestSnapshot s = {};
        thread.GetSnapshot(&s);
        EXPECT_EQ(s.words[4], 1000u);
        EXPECT_EQ(s.words[9], 200u);
    }
}

TEST(RepeatTestThreadTest, BufferCommandsCarryTwentyFourBitLengths) {
    struct Case {
        bool write;
        std::uint32_t kilobytes;
        std::uint32_t length24;
    };
    const Case cases[] = {
        {false, 100, 102400},
        {true, 64, 65536},
        {false, 16384, 0},        // 16 MiB: the length field keeps only its low 24 bits
        {true, 16385, 1024},
    };
    for (const Case& c : cases) {
        EngineFixture disk;
        disk.Port().forwardMeasuring = c.kilobytes <= 1024;  // the emulated drive buffer is 1 MiB
        std::unique_ptr<RepeatTestThread> thread;
        if (c.write) {
            thread = std::make_unique<WriteBufferTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0,
                                                             kPerformanceCounter, c.kilobytes, 201);
        } else {
            thread = std::make_unique<ReadBufferTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0,
                                                            kPerformanceCounter, c.kilobytes, 201);
        }
        EXPECT_EQ(disk.RunDirect(*thread), 0u);
        const std::vector<SentCommand> sent = disk.Measured();
        ASSERT_EQ(sent.size(), 1000u);
        const SentCommand& first = sent.front();
        EXPECT_EQ(first.opcode, c.write ? 0x3B : 0x3C);
        EXPECT_EQ(first.dataIn, c.write ? kScsiIoctlDataOut : kScsiIoctlDataIn);
        EXPECT_EQ(first.cdb[1], 0x02);
        EXPECT_EQ(first.cdb[2] | first.cdb[3] | first.cdb[4] | first.cdb[5] | first.cdb[9], 0);
        EXPECT_EQ(first.length24, c.length24);
        EXPECT_EQ(first.transferLength, c.kilobytes * 1024);
        TestSnapshot s = {};
        thread->GetSnapshot(&s);
        EXPECT_EQ(s.words[7], ExpectedRate(std::uint64_t{c.kilobytes} * 1024, 1000));
        if (c.write && disk.Port().forwardMeasuring) {
            const std::vector<std::uint8_t> contents = disk.Emulated().BufferContents();
            ASSERT_GE(contents.size(), c.kilobytes * 1024u);
            for (std::uint32_t i = 0; i < c.kilobytes * 1024; ++i) ASSERT_EQ(contents[i], 0) << i;
        }
    }
}

}  // namespace
}  // namespace sektra
