// The real Device operations against every demo device: identification, capacity, limits and
// probes come out as a real device of that kind would give them, and the device tree's
// questions (VPD, log, mode, defect pages, SEEK, the buffer) get clean answers where the
// device has them.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/Device.h"
#include "device/DeviceEnumeration.h"
#include "device/Sense.h"
#include "emulator/DemoSet.h"

namespace sektra {
namespace {

struct Expected {
    const char* name;
    int interfaceClass;
    std::uint32_t member;
    std::uint32_t busType;
    std::uint32_t peripheralType;
    const char* modelWithRevision;
    const char* serial;
    int identifyResult;
    std::uint32_t maxTransferBytes;
    std::uint64_t lastLba;
    std::uint32_t blockLength;
    std::int32_t maxReadBufferBytes;
    std::int32_t maxReadSectors;  // max transfer / block length
    bool seekClean;
};

const Expected kDemo[] = {
    // Adapter 128 KiB in 33 pages: min(131072, 135168).
    {"AtaHardDisk", 0, 0, 3, 0, "SEKTRA DEMO HDD ATA 2GB (D100)", "SKT0000A0001", 0, 131072, 4194303, 512, 0, 256, true},
    {"ScsiDisk", 0, 1, 1, 0, "SEKTRA DEMO SCSI DISK (S200)", "SKT0000S0002", -1, 1048576, 8388607, 512, 1048576, 2048, true},
    {"UsbFlashDisk", 0, 2, 7, 0, "SEKTRA DEMO USB FLASH (U1.0)", "SKT0000U0003", -1, 65536, 1048575, 512, 0, 128, false},
    {"LargeDisk", 0, 3, 1, 0, "SEKTRA DEMO 4TB DISK (L300)", "SKT0000L0004", -1, 1048576, 0x1FFFFFFFFull, 512, 0, 2048, true},
    {"AtapiCdRom", 1, 0, 2, 5, "SEKTRA DEMO CD-ROM ATAPI (C1.0)", "SKT0000C0005", 0, 65536, 224999, 2048, 0, 32, true},
    // No blocks: capacity 0 and 0 with result 0, so the sector probe has nothing to go on.
    {"MediumChanger", 6, 0, 1, 8, "SEKTRA DEMO CHANGER (M1.0)", "SKT0000M0006", -1, 65536, 0, 0, 0, -1, false},
};

class DemoDevice : public ::testing::TestWithParam<Expected> {
protected:
    DemoDevice() : port(MakeDemoPort(TimeMode::Zero)), device(port.get()) {}
    bool Clean(int result, const IoBuffer& io) { return IsCleanCommand(result, io.sense); }
    std::unique_ptr<EmulatedPort> port;
    Device device;
};

TEST_P(DemoDevice, IdentifiesAndMeasuresItself) {
    const Expected& e = GetParam();
    ASSERT_EQ(device.Open(e.interfaceClass, e.member), 0);
    EXPECT_EQ(device.GetBusType(), e.busType);
    EXPECT_EQ(device.GetPeripheralType(), e.peripheralType);
    EXPECT_STREQ(device.GetModelNameWithRevision(), e.modelWithRevision);
    EXPECT_STREQ(device.GetSerialNumber(), e.serial);
    std::uint8_t identify[512] = {};
    EXPECT_EQ(device.IdentifyAta(identify), e.identifyResult);
    EXPECT_EQ(device.GetMaxTransferBytes(), e.maxTransferBytes);
    std::uint64_t lastLba = 1;
    std::uint32_t blockLength = 1;
    EXPECT_EQ(device.GetCapacity(&lastLba, &blockLength), 0);
    EXPECT_EQ(lastLba, e.lastLba);
    EXPECT_EQ(blockLength, e.blockLength);
    EXPECT_EQ(device.GetMaxReadBufferBytes(), e.maxReadBufferBytes);
    EXPECT_EQ(device.GetMaxReadSectors(), e.maxReadSectors);
    IoBuffer io{};
    std::uint8_t none[1];
    io.data = none;
    EXPECT_EQ(Clean(device.Seek10(&io, 0), io), e.seekClean);
}

INSTANTIATE_TEST_SUITE_P(Emulator, DemoDevice, ::testing::ValuesIn(kDemo),
                         [](const ::testing::TestParamInfo<Expected>& info) { return std::string(info.param.name); });

// What the device tree asks the SCSI demo disk, with the allocation lengths it uses.
TEST(DeviceTreeQuestions, ScsiDemoDiskAnswersEveryCategory) {
    auto port = MakeDemoPort(TimeMode::Zero);
    Device device(port.get());
    ASSERT_EQ(device.Open(0, 1), 0);
    std::uint8_t data[256];
    IoBuffer io{};
    io.data = data;
    io.length = sizeof(data);
    std::vector<int> vpd, log, mode;
    for (int p = 0; p < 256; ++p) {
        std::memset(io.sense, 0, sizeof(io.sense));
        if (IsCleanCommand(device.Inquiry(&io, false, true, static_cast<std::uint8_t>(p), 255), io.sense)) vpd.push_back(p);
    }
    for (int p = 0; p < 64; ++p) {
        std::memset(io.sense, 0, sizeof(io.sense));
        if (IsCleanCommand(device.LogSense(&io, false, false, p == 0 ? 3 : 1, static_cast<std::uint8_t>(p), 0, 256), io.sense)) {
            log.push_back(p);
        }
        std::memset(io.sense, 0, sizeof(io.sense));
        if (IsCleanCommand(device.ModeSense10(&io, false, false, 0, static_cast<std::uint8_t>(p), 256), io.sense)) {
            mode.push_back(p);
        }
    }
    EXPECT_EQ(vpd, (std::vector<int>{0x00, 0x80, 0x83, 0xB0, 0xB1, 0xB2}));
    EXPECT_EQ(log, (std::vector<int>{0x00, 0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F}));
    EXPECT_EQ(mode, (std::vector<int>{0x01, 0x08, 0x0A, 0x1C, 0x3F}));
    std::memset(io.sense, 0, sizeof(io.sense));
    EXPECT_TRUE(IsCleanCommand(device.ReadDefectData10(&io, true, false, 5, 256), io.sense));
    std::memset(io.sense, 0, sizeof(io.sense));
    EXPECT_TRUE(IsCleanCommand(device.ReadDefectData10(&io, false, true, 5, 256), io.sense));
    // Nothing the tree asks writes anything.
    EXPECT_FALSE(port->GetDevice(0, 1)->Log().AnyWriteSent());
}

TEST(DeviceTreeQuestions, EnumerationListsTheDemoSet) {
    auto port = MakeDemoPort(TimeMode::Zero);
    EXPECT_EQ(EnumerateDevices(0, port.get()).size(), 10u);
    EXPECT_EQ(EnumerateDevices(1, port.get()).size(), 1u);
    EXPECT_EQ(EnumerateDevices(6, port.get()).size(), 1u);
    EXPECT_EQ(port->OpenHandleCount(), 0u);  // every Device closed its handle again
}

// Device commands whose answer depends on the emulated target's refusals.
TEST(DeviceCommands, RefusalsReachTheCallerAsSense) {
    auto port = MakeDemoPort(TimeMode::Zero);
    Device cd(port.get());
    ASSERT_EQ(cd.Open(1, 0), 0);
    std::vector<std::uint8_t> block(2048);
    IoBuffer io{};
    io.data = block.data();
    io.length = 2048;
    EXPECT_EQ(cd.Write10(&io, false, false, false, 0, 1), 0);
    EXPECT_EQ(io.sense[2] & 0x0F, 7);
    EXPECT_EQ(io.sense[12], 0x27);
    EXPECT_EQ(cd.Read10(&io, false, false, false, 225000, 1), 0);
    EXPECT_EQ(io.sense[12], 0x21);
    // More than the adapter passes: the control call itself fails.
    std::vector<std::uint8_t> large(65536 + 2048);
    io.data = large.data();
    io.length = static_cast<std::uint32_t>(large.size());
    EXPECT_EQ(cd.Read10(&io, false, false, false, 0, 33), -1);
}

}  // namespace
}  // namespace sektra
