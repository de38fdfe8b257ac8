#include "engine/SeekTestThread.h"

#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "Mt1998Reference.h"

namespace sektra {
namespace {

TEST(SeekTestThreadTest, FullStrokesStartAtTheLastBlock) {
    EngineFixture disk;
    SeekTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 100, 9000, 5, 0, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    const std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 1u + 5);  // the untimed positioning seek, then five timed ones
    const std::uint32_t targets[] = {100, 9000, 100, 9000, 100, 9000};
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].opcode, 0x2B);
        EXPECT_EQ(sent[i].lba, targets[i]);
        EXPECT_EQ(sent[i].transferLength, 0u);
    }
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[0], 100u);
    EXPECT_EQ(s.words[1], 9000u);
    EXPECT_EQ(s.words[2], 9000u);
    EXPECT_EQ(s.words[4], 5u);
    EXPECT_EQ(s.words[6], 100u);  // 1000 ticks of 100 ns
    EXPECT_EQ(s.words[9], 200u);
}

TEST(SeekTestThreadTest, RandomTargetsAndSameBlockWhenTheEndsMeet) {
    EngineFixture disk;
    SeekTestThread random(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 0, 10006, 1000, 1, 201);
    EXPECT_EQ(disk.RunDirect(random), 0u);
    std::vector<SentCommand> sent = disk.Measured();
    ASSERT_EQ(sent.size(), 1001u);
    ReferenceRange reference(0, 10006, 1234567890);
    reference.Draw();
    for (std::size_t i = 1; i < sent.size(); ++i) ASSERT_EQ(sent[i].lba, reference.Draw());

    EngineFixture one;
    SeekTestThread same(one.Window(), one.GetDevice(), one.TpsLow(), 0, kPerformanceCounter, 77, 77, 4, 0, 201);
    EXPECT_EQ(one.RunDirect(same), 0u);
    for (const SentCommand& c : one.Measured()) EXPECT_EQ(c.lba, 77u);
}

TEST(SeekTestThreadTest, ZeroTickSeeksCountAndPullTheAverageDown) {
    EngineFixture disk;
    // Timed seeks (index 0 is the positioning seek): 1000, 0, 3000 ticks = 100 µs, –, 300 µs.
    disk.Port().ticks = [](std::uint64_t index, const SentCommand&) -> std::uint64_t {
        const std::uint64_t ticks[] = {0, 1000, 0, 3000};
        return ticks[index];
    };
    SeekTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 0, 10006, 3, 0, 201);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[6], 0u);  // no sample yet
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 3u);
    EXPECT_EQ(s.words[6], 100u);
    EXPECT_EQ(s.words[7], 133u);  // 4000 ticks over three seeks: 133 µs, not the 200 of two
    EXPECT_EQ(s.words[8], 300u);
    const SampleTable* table = thread.GetSamples();
    EXPECT_EQ(table->Get(0), 100u);
    EXPECT_EQ(table->Get(1), 133u);
    EXPECT_EQ(table->Get(2), 300u);
    EXPECT_EQ(table->Get(3), 2u);
    EXPECT_EQ(table->Get(204 - 1), 1u);  // 100 µs: cell 1
    EXPECT_EQ(table->Get(204 - 3), 1u);  // 300 µs: cell 3
}

TEST(SeekTestThreadTest, TrailingZeroTickSeeksStillReachFullProgress) {
    EngineFixture disk;
    // Positioning seek, then 1000 ticks and three seeks too fast for the clock.
    disk.Port().ticks = [](std::uint64_t index, const SentCommand&) -> std::uint64_t { return index == 1 ? 1000 : 0; };
    SeekTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 0, 10006, 4, 0, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 4u);
    EXPECT_EQ(s.words[9], 200u);
    EXPECT_EQ(thread.GetSamples()->Get(3), 1u);  // one sample only
}

TEST(SeekTestThreadTest, SeekCountZeroEndsAtOnce) {
    EngineFixture disk;
    SeekTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 0, 10006, 0, 0, 201);
    EXPECT_EQ(disk.RunDirect(thread), 0u);
    EXPECT_EQ(disk.Measured().size(), 1u);  // only the positioning seek
    const std::vector<PostedMessage> messages = disk.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_TEST_FINISHED);
}

}  // namespace
}  // namespace sektra
