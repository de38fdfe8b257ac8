// The two choices a user may make for a transfer run: random positions at multiples of the
// command's blocks, and random bytes instead of zeros for the write tests. What the device saw
// is read back from the emulator: its command log and the blocks it holds.
#include <gtest/gtest.h>

#include <random>

#include "EngineFixture.h"
#include "Mt1998Reference.h"
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"

namespace sektra {
namespace {

TransferChoices Aligned() {
    TransferChoices choices;
    choices.alignedPositions = true;
    return choices;
}

TransferChoices RandomData() {
    TransferChoices choices;
    choices.randomWriteData = true;
    return choices;
}

// The LBAs of the READ(10)/WRITE(10) commands in the emulator's log.
std::vector<std::uint64_t> LoggedTransfers(EngineFixture& disk) {
    std::vector<std::uint64_t> lbas;
    for (const LoggedCommand& c : disk.Emulated().Log().Entries()) {
        if (c.opcode == 0x28 || c.opcode == 0x2A) lbas.push_back(c.lba);
    }
    return lbas;
}

TEST(TransferChoicesTest, AlignedPositionsAreMultiplesOfTheCommandInsideTheRange) {
    struct Case {
        const char* name;
        std::uint64_t diskBlocks;
        std::uint32_t blocks, startPercent, endPercent;
        std::uint32_t firstSlot, lastSlot;  // worked out by hand from the range's blocks
    };
    const Case cases[] = {
        // Blocks 0 to 10006; the last whole command of 16 from a multiple starts at 624 × 16 = 9984.
        {"whole disk", 10007, 16, 0, 100, 0, 624},
        // Blocks 45000 to 54999, 7 a command: 6429 × 7 = 45003 is the first multiple in the range,
        // 7856 × 7 = 54992 the last whose command (to 54998) ends inside.
        {"middle, odd size", 100000, 7, 45, 55, 6429, 7856},
        // Blocks 17 to 50: only 32 to 47 is a whole aligned command.
        {"one slot", 170, 16, 10, 30, 2, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EngineFixture disk(c.diskBlocks);
        RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, c.blocks,
                                    c.startPercent, c.endPercent, 801);
        thread.SetTransferChoices(Aligned());
        disk.Emulated().Log().Clear();
        ASSERT_EQ(disk.RunDirect(thread), 0u);
        const std::vector<std::uint64_t> lbas = LoggedTransfers(disk);
        ASSERT_EQ(lbas.size(), 10000u);
        // The same generator and seed as unaligned runs, drawing slot numbers.
        ReferenceRange reference(c.firstSlot, c.lastSlot, 1234567890);
        reference.Draw();  // drawn by the constructor
        for (std::uint64_t lba : lbas) ASSERT_EQ(lba, std::uint64_t{reference.Draw()} * c.blocks);
    }
}

TEST(TransferChoicesTest, ARangeWithoutAWholeAlignedCommandFailsToStart) {
    // Blocks 17 to 39 hold a command of 16 from 17, but none from 0, 16 or 32.
    EngineFixture disk(170);
    RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 16, 10, 24,
                                801);
    thread.SetTransferChoices(Aligned());
    EXPECT_EQ(disk.RunDirect(thread), 0xFFFFFFFFu);
    EXPECT_TRUE(disk.Measured().empty());
    const std::vector<PostedMessage> messages = disk.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].wParam, kFailedToStart);
    EXPECT_EQ(disk.Services().OutstandingBuffers(), 0);
    // Unaligned, the same range runs.
    thread.SetTransferChoices(TransferChoices());
    EXPECT_EQ(disk.RunDirect(thread), 0u);
}

// The bytes a write test sends with random data: the standard 32-bit Mersenne Twister from its
// default seed, each output low byte first.
std::vector<std::uint8_t> ExpectedData(std::size_t bytes) {
    std::mt19937 generator;
    std::vector<std::uint8_t> data(bytes);
    for (std::size_t i = 0; i < bytes; i += 4) {
        const std::uint32_t word = static_cast<std::uint32_t>(generator());
        for (std::size_t b = 0; b < 4 && i + b < bytes; ++b) data[i + b] = static_cast<std::uint8_t>(word >> (8 * b));
    }
    return data;
}

TEST(TransferChoicesTest, WriteTestsWriteTheRandomPatternWhenAsked) {
    const std::vector<std::uint8_t> data = ExpectedData(64 * 512);
    // The generator's first output from its default seed is 3499211612 = D091BB5Ch.
    ASSERT_EQ((std::vector<std::uint8_t>(data.begin(), data.begin() + 4)),
              (std::vector<std::uint8_t>{0x5C, 0xBB, 0x91, 0xD0}));

    // Sequential: blocks 0 to 399 in commands of 64, the last one of 16 blocks.
    EngineFixture sequentialDisk(4000);
    SequentialWriteTestThread sequential(sequentialDisk.Window(), sequentialDisk.GetDevice(), sequentialDisk.TpsLow(),
                                         0, kPerformanceCounter, 64, 0, 10, 201);
    sequential.SetTransferChoices(RandomData());
    ASSERT_EQ(sequentialDisk.RunDirect(sequential), 0u);
    EXPECT_EQ(sequentialDisk.Emulated().ReadMedium(128, 64), data);
    EXPECT_EQ(sequentialDisk.Emulated().ReadMedium(384, 16), std::vector<std::uint8_t>(data.begin(), data.begin() + 16 * 512));
    EXPECT_FALSE(sequentialDisk.Emulated().IsBlockWritten(400));

    // Random, 8 blocks a command: every command's blocks hold the first 4096 bytes.
    EngineFixture randomDisk(100000);
    RandomWriteTestThread random(randomDisk.Window(), randomDisk.GetDevice(), randomDisk.TpsLow(), 0,
                                 kPerformanceCounter, 8, 0, 100, 801);
    random.SetTransferChoices(RandomData());
    ASSERT_EQ(randomDisk.RunDirect(random), 0u);
    const std::vector<SentCommand> sent = randomDisk.Measured();
    ASSERT_EQ(sent.size(), 10000u);
    for (std::size_t i : {std::size_t{0}, std::size_t{4321}, std::size_t{9999}}) {
        EXPECT_EQ(randomDisk.Emulated().ReadMedium(sent[i].lba, 8),
                  std::vector<std::uint8_t>(data.begin(), data.begin() + 8 * 512));
    }
}

}  // namespace
}  // namespace sektra
