#include "engine/RandomTestThread.h"

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "Mt1998Reference.h"

namespace sektra {
namespace {

TEST(RandomTestThreadTest, TenThousandCommandsAtTheReferencePositionsInsideTheRange) {
    EngineFixture disk(100000);
    // Range (45, 55): blocks 45000 to 54999; 8 blocks a command, so positions 45000 to 54992.
    RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 45, 55, 801);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 10000u);
    ReferenceRange reference(45000, 54992, 1234567890);
    reference.Draw();  // drawn by the constructor: the first position is the second value
    for (const SentCommand& c : sent) {
        ASSERT_EQ(c.lba, reference.Draw());
        ASSERT_EQ(c.opcode, 0x28);
        ASSERT_EQ(c.blocks, 8);
        ASSERT_EQ(c.transferLength, 4096u);
    }

    // Every command 4096 bytes in 1000 ticks: 40000 KB/s, cell 312 of 128 KB/s.
    const std::uint32_t rate = ExpectedRate(4096, 1000);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[0], 45000u);
    EXPECT_EQ(s.words[1], 54999u);
    EXPECT_EQ(s.words[2], sent.back().lba);
    EXPECT_EQ(s.words[3], sent.back().lba + 7);
    EXPECT_EQ(s.words[4], 10000u);
    EXPECT_EQ(s.words[6], rate);
    EXPECT_EQ(s.words[7], rate);
    EXPECT_EQ(s.words[8], rate);
    EXPECT_EQ(s.words[9], 1000u);
    const SampleTable* table = thread.GetSamples();
    EXPECT_EQ(table->Get(0), rate);
    EXPECT_EQ(table->Get(1), rate);
    EXPECT_EQ(table->Get(2), rate);
    EXPECT_EQ(table->Get(3), 10000u);
    EXPECT_EQ(table->Get(801 + 3 - rate / 128), 10000u);

    // A second run visits the same positions in the same order, from fresh counters.
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> again = disk.Measured();
    ASSERT_EQ(again.size(), 20000u);
    for (std::size_t i = 0; i < 10000; ++i) ASSERT_EQ(again[10000 + i].lba, sent[i].lba);
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 10000u);
    EXPECT_EQ(thread.GetSamples()->Get(3), 10000u);
    EXPECT_EQ(disk.Messages().size(), 2u);
}

TEST(RandomTestThreadTest, ZeroTickCommandsDrawNewPositionsAndProgressCountsTenPerStep) {
    EngineFixture disk(100000);
    TestSnapshot atLast = {};
    RandomWriteTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 0, 10, 801);
    disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
        if (index == 9999) thread.GetSnapshot(&atLast);
        return index % 2 == 0 ? 0 : 1000;  // every even command is too fast for the clock
    };
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 10000u);
    EXPECT_NE(sent[0].lba, sent[1].lba);
    EXPECT_EQ(sent[0].opcode, 0x2A);
    EXPECT_EQ(sent[0].dataIn, kScsiIoctlDataOut);
    EXPECT_EQ(atLast.words[9], 999u);  // 9998 ÷ 10 before the last sample
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[9], 1000u);
    EXPECT_EQ(s.words[6], ExpectedRate(2 * 4096, 1000));  // two commands' bytes per sample
    EXPECT_EQ(thread.GetSamples()->Get(3), 5000u);
}

}  // namespace
}  // namespace sektra
