// The same Device code against the emulated devices: what the device tree and the tests will
// read from real hardware, end to end through the port.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "device/DeviceEnumeration.h"
#include "device/Sense.h"
#include "emulator/DemoSet.h"
#include "emulator/EmulatedPort.h"

namespace sektra::test {
namespace {

DeviceConfig Disk() {
    DeviceConfig c;
    c.busType = 1;
    c.vendor = "ABC";
    c.product = "XYZ";
    c.revision = "1.0";
    c.serialNumber = "SN-42";
    c.blockCount = 1000;
    c.blockLength = 512;
    c.maximumTransferLength = 65536;
    c.maximumPhysicalPages = 17;
    return c;
}

class OnEmulator : public ::testing::Test {
protected:
    std::unique_ptr<Device> OpenDisk(const DeviceConfig& config) {
        emulated = &port.AddDevice(0, config);
        auto device = std::make_unique<Device>(&port);
        EXPECT_EQ(0, device->Open(0, static_cast<std::uint32_t>(port.DeviceCount(0) - 1)));
        return device;
    }
    EmulatedPort port;
    EmulatedDevice* emulated = nullptr;
};

TEST_F(OnEmulator, IdentifiesAScsiDisk) {
    auto device = OpenDisk(Disk());
    EXPECT_EQ(1u, device->GetBusType());
    EXPECT_EQ(0u, device->GetPeripheralType());
    EXPECT_STREQ("ABC XYZ", device->GetModelName());
    EXPECT_STREQ("ABC XYZ (1.0 )", device->GetModelNameWithRevision());
    EXPECT_STREQ("1.0 ", device->GetRevision());
    EXPECT_STREQ("SN-42", device->GetSerialNumber());
    std::uint8_t block[512];
    EXPECT_EQ(-1, device->IdentifyAta(block));
    EXPECT_FALSE(emulated->Log().AnyWriteSent());
}

TEST_F(OnEmulator, NamesAnNvmeDiskFromItsIdentifyControllerData) {
    // The translated INQUIRY says "NVMe" and 16 characters of the model; the controller's
    // identify data has the whole model (blank-padded to 40), the firmware and the serial.
    DeviceConfig c = Disk();
    c.busType = 17;
    c.vendor = "NVMe";
    c.product = "SEKTRA LONG NVME";
    c.nvmeModel = "SEKTRA LONG NVME MODEL NAME 0123456789AB";
    c.nvmeFirmware = "FW123456";
    auto device = OpenDisk(c);
    EXPECT_STREQ("SEKTRA LONG NVME MODEL NAME 0123456789AB", device->GetModelName());
    EXPECT_STREQ("FW123456", device->GetRevision());
    EXPECT_STREQ("SEKTRA LONG NVME MODEL NAME 0123456789AB (FW123456)", device->GetModelNameWithRevision());
    EXPECT_STREQ("SN-42", device->GetSerialNumber());
}

TEST_F(OnEmulator, IdentifiesAnAtaDiskFromItsModelFields) {
    DeviceConfig config = Disk();
    config.busType = 3;
    config.vendor = "QDISK 10";
    config.product = "00XYZ-ABCD";
    auto device = OpenDisk(config);
    EXPECT_STREQ("QDISK 1000XYZ-ABCD", device->GetModelName());

    std::uint8_t block[512];
    ASSERT_EQ(0, device->IdentifyAta(block));
    // Words 27 to 46 hold the model, two characters a word, the first in the high byte.
    const std::string model = "QDISK 1000XYZ-ABCD";
    for (std::size_t i = 0; i < model.size(); ++i)
        EXPECT_EQ(model[i], static_cast<char>(block[54 + (i ^ 1)])) << i;
}

TEST_F(OnEmulator, CapacityAndProbes) {
    auto device = OpenDisk(Disk());
    std::uint32_t lastLba = 0, blockLength = 0;
    EXPECT_EQ(0, device->ReadCapacity(&lastLba, &blockLength));
    EXPECT_EQ(999u, lastLba);
    EXPECT_EQ(512u, blockLength);
    EXPECT_EQ(65536u, device->GetMaxTransferBytes());  // 17 pages would allow 69632
    EXPECT_EQ(128, device->GetMaxReadSectors());       // 65536 / 512
    EXPECT_EQ(128, device->GetMaxReadSectors());
    EXPECT_EQ(1u, emulated->Log().CountOpcode(0x28));
    EXPECT_EQ(0, device->GetMaxReadBufferBytes());  // this disk has no buffer commands
    EXPECT_FALSE(emulated->Log().AnyWriteSent());
}

TEST_F(OnEmulator, ReadBufferProbeSucceedsUpToTheAdapterLimit) {
    DeviceConfig config = Disk();
    config.bufferBytes = 1048576;
    config.maximumTransferLength = 1048576;
    config.maximumPhysicalPages = 257;
    config.blockCount = 1000000;
    auto device = OpenDisk(config);
    EXPECT_EQ(1048576, device->GetMaxReadBufferBytes());
    EXPECT_EQ(2048, device->GetMaxReadSectors());
}

TEST_F(OnEmulator, LargeDiskNeedsTheLongForm) {
    DeviceConfig config = Disk();
    config.blockCount = 0x200000000ull;
    auto device = OpenDisk(config);
    std::uint32_t lastLba32 = 0, blockLength32 = 0;
    EXPECT_EQ(0, device->ReadCapacity(&lastLba32, &blockLength32));
    EXPECT_EQ(0xFFFFFFFFu, lastLba32);
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    EXPECT_EQ(0, device->GetCapacity(&lastLba, &blockLength));
    EXPECT_EQ(0x1FFFFFFFFull, lastLba);
    EXPECT_EQ(512u, blockLength);
}

TEST_F(OnEmulator, NoMediumGivesZeroCapacityAndAnUnprobedSectorLimit) {
    DeviceConfig config = Disk();
    config.mediumPresent = false;
    auto device = OpenDisk(config);
    std::uint32_t lastLba = 1, blockLength = 1;
    EXPECT_EQ(0, device->ReadCapacity(&lastLba, &blockLength));
    EXPECT_EQ(0u, lastLba);
    EXPECT_EQ(0u, blockLength);
    EXPECT_EQ(-1, device->GetMaxReadSectors());
    EXPECT_EQ(-1, device->GetMaxReadSectors());
    EXPECT_EQ(3u, emulated->Log().CountOpcode(0x25));  // asked again by each probe
}

TEST_F(OnEmulator, UnknownPageIsRefusedWithIllegalRequest) {
    auto device = OpenDisk(Disk());
    std::uint8_t data[255] = {};
    IoBuffer io = {data, sizeof(data), {}};
    const int result = device->Inquiry(&io, false, true, 0x83, 255);
    EXPECT_FALSE(IsCleanCommand(result, io.sense));
    EXPECT_EQ(5, SenseKey(io.sense));
    EXPECT_EQ(0x24, AdditionalSenseCode(io.sense));
}

TEST(OnDemoSet, EnumeratesEveryClassAndClosesEveryHandle) {
    auto port = MakeDemoPort(TimeMode::Zero);
    {
        auto disks = EnumerateDevices(kDiskInterfaceClass, port.get());
        auto cdRoms = EnumerateDevices(kCdRomInterfaceClass, port.get());
        auto changers = EnumerateDevices(kMediumChangerInterfaceClass, port.get());
        EXPECT_EQ(port->DeviceCount(0), disks.size());
        EXPECT_EQ(port->DeviceCount(1), cdRoms.size());
        EXPECT_EQ(port->DeviceCount(6), changers.size());
        ASSERT_FALSE(cdRoms.empty());
        EXPECT_EQ(5u, cdRoms[0]->GetPeripheralType());
        EXPECT_EQ(2u, cdRoms[0]->GetBusType());
        ASSERT_FALSE(changers.empty());
        EXPECT_EQ(8u, changers[0]->GetPeripheralType());
        EXPECT_NE(0u, port->OpenHandleCount());
    }
    EXPECT_EQ(0u, port->OpenHandleCount());
}

TEST(OnEmulatedPort, AMemberThatCannotBeOpenedEndsTheClass) {
    EmulatedPort port;
    DeviceConfig broken = Disk();
    broken.failOpen = true;
    port.AddDevice(0, Disk());
    port.AddDevice(0, broken);
    port.AddDevice(0, Disk());
    EXPECT_EQ(1u, EnumerateDevices(kDiskInterfaceClass, &port).size());
}

}  // namespace
}  // namespace sektra::test
