// The guards in front of a device's data: the check of a disk's first blocks before a write
// test, and the commands that never leave a Device.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device/CommandGuard.h"
#include "device/PartitionTable.h"
#include "device/WriteSafety.h"
#include "emulator/DemoSet.h"
#include "emulator/EmulatedPort.h"
#include "emulator/PartitionImages.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kWriteBuffer = 0x3B;

// Two blocks as the disk's first blocks: MBR entry `type` with `sectors` (none when type 0),
// the boot signature when asked, and block 1 starting with `gptSignature`.
std::vector<std::uint8_t> Blocks(std::size_t blockLength, bool bootSignature, std::uint8_t type,
                                 std::uint32_t sectors, const char* gptSignature) {
    std::vector<std::uint8_t> b(2 * blockLength, 0);
    b[446 + 4] = type;
    std::memcpy(&b[446 + 12], &sectors, 4);  // little-endian on every host we build for
    if (bootSignature) {
        b[510] = 0x55;
        b[511] = 0xAA;
    }
    std::memcpy(&b[blockLength], gptSignature, std::strlen(gptSignature));
    return b;
}

TEST(PartitionTable, IsFoundOnlyWhereATableDescribesPartitions) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> blocks;
        std::size_t blockLength;
        PartitionScheme scheme;
        unsigned mbrPartitions;
    };
    std::vector<std::uint8_t> garbage(1024);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    const Case cases[] = {
        {"all zeros", Blocks(512, false, 0, 0, ""), 512, PartitionScheme::None, 0},
        {"garbage without boot signature", garbage, 512, PartitionScheme::None, 0},
        {"boot signature, no entries", Blocks(512, true, 0, 0, ""), 512, PartitionScheme::None, 0},
        {"entry of length 0", Blocks(512, true, 0x07, 0, ""), 512, PartitionScheme::None, 0},
        {"entry without boot signature", Blocks(512, false, 0x07, 1000, ""), 512, PartitionScheme::None, 0},
        {"one NTFS partition", Blocks(512, true, 0x07, 1000, ""), 512, PartitionScheme::Mbr, 1},
        {"GPT header", Blocks(512, true, 0xEE, 0xFFFFFFFF, "EFI PART"), 512, PartitionScheme::Gpt, 1},
        {"GPT header, bad signature, blank MBR", Blocks(512, false, 0, 0, "EFI PARX"), 512, PartitionScheme::None, 0},
        {"GPT header, bad signature, protective MBR", Blocks(512, true, 0xEE, 100, "EFI PARX"), 512,
         PartitionScheme::Mbr, 1},
        // With 4096-byte blocks the header lies at byte 4096, not 512.
        {"GPT header on a 4096-byte-block disk", Blocks(4096, false, 0, 0, "EFI PART"), 4096, PartitionScheme::Gpt, 0},
    };
    for (const Case& c : cases) {
        const PartitionTableFinding f = FindPartitionTable(c.blocks.data(), c.blocks.data() + c.blockLength,
                                                           c.blockLength);
        EXPECT_EQ(c.scheme, f.scheme) << c.name;
        EXPECT_EQ(c.mbrPartitions, f.mbrPartitions) << c.name;
    }
}

TEST(WriteSafety, WindowsFactsComeFirstAndUnknownContentsCountAsData) {
    const PartitionTableFinding none;
    const PartitionTableFinding mbr{PartitionScheme::Mbr, 3};
    WindowsDiskUse system;
    system.known = true;
    system.holdsSystemVolume = true;
    system.volumes = 2;
    WindowsDiskUse volumes;
    volumes.known = true;
    volumes.volumes = 2;
    volumes.layoutPartitions = 3;
    WindowsDiskUse layout;
    layout.known = true;
    layout.layoutPartitions = 1;
    struct Case {
        WindowsDiskUse windows;
        bool blocksRead;
        PartitionTableFinding finding;
        WriteRefusal refusal;
        unsigned count;
    };
    const Case cases[] = {
        {WindowsDiskUse{}, true, none, WriteRefusal::None, 0},
        {WindowsDiskUse{}, true, mbr, WriteRefusal::Mbr, 3},
        {WindowsDiskUse{}, false, none, WriteRefusal::Unreadable, 0},
        {system, true, none, WriteRefusal::SystemDisk, 0},
        {volumes, true, none, WriteRefusal::WindowsVolumes, 2},
        {layout, false, none, WriteRefusal::WindowsLayout, 1},
    };
    for (const Case& c : cases) {
        const WriteSafetyVerdict v = JudgeDiskContents(c.windows, c.blocksRead, c.finding);
        EXPECT_EQ(c.refusal, v.refusal);
        EXPECT_EQ(c.count, v.count);
    }
}

class DiskCheck : public ::testing::Test {
protected:
    EmulatedDevice& Add(const DeviceConfig& config) {
        EmulatedDevice& d = port.AddDevice(0, config);
        device = std::make_unique<Device>(&port);
        EXPECT_EQ(0, device->Open(0, static_cast<std::uint32_t>(port.DeviceCount(0) - 1)));
        return d;
    }
    EmulatedPort port;
    std::unique_ptr<Device> device;
};

TEST_F(DiskCheck, ReadsOnlyTheFirstBlocksAndJudgesThem) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> initial;
        WriteRefusal refusal;
        unsigned count;
    };
    std::vector<std::uint8_t> badGpt = GptDiskImage(2097152);
    badGpt[512 + 7] = 'X';
    badGpt[446 + 4] = 0;  // and no protective MBR either
    const Case cases[] = {
        {"blank", {}, WriteRefusal::None, 0},
        {"MBR", MbrDiskImage(2097152), WriteRefusal::Mbr, 2},
        {"GPT", GptDiskImage(2097152), WriteRefusal::Gpt, 0},
        {"GPT with a bad signature", badGpt, WriteRefusal::None, 0},
    };
    for (const Case& c : cases) {
        DeviceConfig config = TestDisk();
        config.initialBlocks = c.initial;
        EmulatedDevice& emulated = Add(config);
        const WriteSafetyVerdict v = CheckDiskBeforeWriting(*device);
        EXPECT_EQ(c.refusal, v.refusal) << c.name;
        EXPECT_EQ(c.count, v.count) << c.name;
        EXPECT_FALSE(emulated.Log().AnyWriteSent()) << c.name;
        EXPECT_EQ(1u, emulated.Log().CountOpcode(0x28)) << c.name;
    }
    EXPECT_STREQ("no partition table found", DescribeWriteVerdict(WriteSafetyVerdict{}));
}

TEST_F(DiskCheck, AFailedReadOfTheFirstBlocksRefuses) {
    EmulatedDevice& emulated = Add(TestDisk());
    FaultRule rule;
    rule.action = FaultAction::CheckCondition;
    rule.opcode = 0x28;
    rule.senseKey = 0x03;  // MEDIUM ERROR
    rule.asc = 0x11;       // unrecovered read error
    emulated.AddFault(rule);
    EXPECT_EQ(WriteRefusal::Unreadable, CheckDiskBeforeWriting(*device).refusal);

    rule.action = FaultAction::FailControl;
    emulated.ClearFaults();
    emulated.AddFault(rule);
    EXPECT_EQ(WriteRefusal::Unreadable, CheckDiskBeforeWriting(*device).refusal);
    EXPECT_FALSE(emulated.Log().AnyWriteSent());
}

TEST_F(DiskCheck, DemoSetHasOneMbrAndOneGptDisk) {
    auto demo = MakeDemoPort(TimeMode::Zero);
    unsigned mbr = 0, gpt = 0;
    for (std::uint32_t i = 0; i < demo->DeviceCount(0); ++i) {
        Device d(demo.get());
        ASSERT_EQ(0, d.Open(0, i));
        const WriteRefusal r = CheckDiskBeforeWriting(d).refusal;
        mbr += r == WriteRefusal::Mbr;
        gpt += r == WriteRefusal::Gpt;
        EXPECT_TRUE(r == WriteRefusal::None || r == WriteRefusal::Mbr || r == WriteRefusal::Gpt);
    }
    EXPECT_EQ(1u, mbr);
    EXPECT_EQ(1u, gpt);
}

TEST(CommandGuard, OnlyDataModeWriteBufferLeavesADevice) {
    EmulatedPort port;
    EmulatedDevice& emulated = port.AddDevice(0, TestDisk());
    Device device(&port);
    ASSERT_EQ(0, device.Open(0, 0));
    std::vector<std::uint8_t> data(512);
    for (unsigned mode = 0; mode < 32; ++mode) {
        IoBuffer io{data.data(), 512, {}};
        const int result = device.WriteBuffer(&io, static_cast<std::uint8_t>(mode), 0, 0, 512);
        // The typed operation keeps four mode bits; a request built by hand carries all five.
        ScsiRequest request;
        InitScsiRequest(&request, 10, kScsiIoctlDataOut, data.data(), 512, 2);
        request.sptd.Cdb[0] = kWriteBuffer;
        request.sptd.Cdb[1] = static_cast<std::uint8_t>(mode);
        request.sptd.Cdb[8] = 2;  // 512 bytes
        const int handMade = device.ExecutePassThrough(&request);
        if ((mode & 0x0F) != 2) EXPECT_EQ(-1, result) << mode;
        if (mode != 2) EXPECT_EQ(-1, handMade) << mode;
    }
    // Modes 02h (both ways) and 12h through the typed operation, which drops the fifth bit.
    ASSERT_EQ(3u, emulated.Log().CountOpcode(kWriteBuffer));
    for (const LoggedCommand& c : emulated.Log().Entries()) EXPECT_EQ(2, c.cdb[1] & 0x1F);

    IoBuffer io{data.data(), 0, {}};
    EXPECT_EQ(-1, device.FormatUnit(&io, false, false, 0, 0));
    EXPECT_EQ(-1, device.FormatUnit(&io, true, true, 5, 0));
    ScsiRequest sanitize;
    InitScsiRequest(&sanitize, 10, kScsiIoctlDataOut, nullptr, 0, 2);
    sanitize.sptd.Cdb[0] = 0x48;
    EXPECT_EQ(-1, device.ExecutePassThrough(&sanitize));
    EXPECT_EQ(0u, emulated.Log().CountOpcode(0x04));
    EXPECT_EQ(0u, emulated.Log().CountOpcode(0x48));
}

TEST(CommandGuard, JudgesTheCommandBlockAlone) {
    const std::uint8_t read10[10] = {0x28};
    const std::uint8_t dataMode[2] = {0x3B, 0x02};
    const std::uint8_t download[2] = {0x3B, 0x05};
    const std::uint8_t format[6] = {0x04};
    EXPECT_TRUE(IsPermittedCommand(read10, 10));
    EXPECT_TRUE(IsPermittedCommand(dataMode, 2));
    EXPECT_FALSE(IsPermittedCommand(dataMode, 1));  // no mode byte: not data mode
    EXPECT_FALSE(IsPermittedCommand(download, 2));
    EXPECT_FALSE(IsPermittedCommand(format, 6));
}

}  // namespace
}  // namespace sektra::test
