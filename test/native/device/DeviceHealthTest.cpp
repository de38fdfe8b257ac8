// SMART tables and NVMe data through Device: which devices are asked at all, what reaches
// the caller, and replies whose own offsets point outside them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device/Device.h"
#include "device/StorageStructs.h"
#include "emulator/EmulatedPort.h"

namespace sektra::test {
namespace {

DeviceConfig Disk(std::uint32_t busType) {
    DeviceConfig c;
    c.busType = busType;
    c.blockCount = 1000;
    c.smartAttributes = true;
    c.nvmeModel = "SEKTRA TEST NVME";
    return c;
}

class DeviceHealth : public ::testing::Test {
protected:
    std::unique_ptr<Device> Open(const DeviceConfig& config) {
        emulated = &port.AddDevice(0, config);
        auto device = std::make_unique<Device>(&port);
        EXPECT_EQ(0, device->Open(0, static_cast<std::uint32_t>(port.DeviceCount(0) - 1)));
        return device;
    }
    std::size_t Calls(std::uint32_t ioControlCode) const {
        std::size_t n = 0;
        for (const LoggedCommand& c : emulated->Log().Entries()) n += c.ioControlCode == ioControlCode;
        return n;
    }
    static bool AllZero(const std::uint8_t* data, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            if (data[i] != 0) return false;
        }
        return true;
    }
    EmulatedPort port;
    EmulatedDevice* emulated = nullptr;
};

TEST_F(DeviceHealth, SmartTablesOfAtaAndSataDisksOnly) {
    for (std::uint32_t bus : {3u, 11u}) {
        auto device = Open(Disk(bus));
        std::uint8_t attributes[512], thresholds[512];
        ASSERT_EQ(0, device->ReadSmartAttributes(attributes)) << bus;
        ASSERT_EQ(0, device->ReadSmartThresholds(thresholds)) << bus;
        // Both tables carry revision 16 and a checksum byte that makes them sum to 0.
        for (const std::uint8_t* table : {attributes, thresholds}) {
            EXPECT_EQ(table[0], 0x10);
            unsigned sum = 0;
            for (int i = 0; i < 512; ++i) sum += table[i];
            EXPECT_EQ(sum % 256, 0u);
        }
        EXPECT_EQ(attributes[2], 1);    // first entry: raw read error rate
        EXPECT_EQ(thresholds[3], 50);   // its threshold
    }
    for (std::uint32_t bus : {1u, 2u, 17u}) {
        auto device = Open(Disk(bus));
        std::uint8_t attributes[512];
        std::memset(attributes, 0xAA, sizeof attributes);
        EXPECT_EQ(-1, device->ReadSmartAttributes(attributes)) << bus;
        EXPECT_TRUE(AllZero(attributes, sizeof attributes));
        EXPECT_EQ(Calls(kSmartRcvDriveData), 0u) << bus;  // not even asked
    }
    // A disk that lacks SMART refuses it.
    DeviceConfig without = Disk(11);
    without.smartAttributes = false;
    std::uint8_t table[512];
    EXPECT_EQ(-1, Open(without)->ReadSmartAttributes(table));
}

TEST_F(DeviceHealth, NvmeQueriesOfNvmeDisksOnly) {
    auto device = Open(Disk(17));
    std::vector<std::uint8_t> data(4096);
    ASSERT_EQ(0, device->IdentifyNvmeController(data.data()));
    EXPECT_EQ(0, std::memcmp(&data[24], "SEKTRA TEST NVME", 16));
    ASSERT_EQ(0, device->IdentifyNvmeNamespace(1, data.data()));
    EXPECT_EQ(data[0] | data[1] << 8, 1000);  // namespace size in blocks
    EXPECT_EQ(-1, device->IdentifyNvmeNamespace(2, data.data()));  // there is one namespace
    ASSERT_EQ(0, device->ReadNvmeHealthLog(data.data()));
    EXPECT_EQ(data[1] | data[2] << 8, 38 + 273);  // the profile's 38 degrees in Kelvin

    auto scsi = Open(Disk(1));
    EXPECT_EQ(-1, scsi->ReadNvmeHealthLog(data.data()));
    EXPECT_TRUE(AllZero(data.data(), 512));
}

// The driver's descriptor says where the data lie; an offset or length that leaves the reply
// is refused rather than read.
TEST_F(DeviceHealth, NvmeReplyPointingOutsideItselfIsRefused) {
    struct Case {
        std::uint32_t offset;
        std::uint32_t length;
        int expected;
    } const cases[] = {
        {40, 512, 0},
        {40, 513, -1},          // one byte past the buffer
        {41, 512, -1},
        {0xFFFFFFF0u, 512, -1},  // would wrap a 32-bit sum
        {8, 512, -1},            // inside the descriptor itself
        {40, 0xFFFFFFFFu, -1},
    };
    for (const Case& c : cases) {
        auto device = Open(Disk(17));
        emulated->SetReplyMutator([&](const ReplyContext& context, std::vector<std::uint8_t>& reply) {
            if (context.kind != ReplyKind::NvmeData) return;
            std::memcpy(&reply[8 + offsetof(StorageProtocolSpecificData, ProtocolDataOffset)], &c.offset, 4);
            std::memcpy(&reply[8 + offsetof(StorageProtocolSpecificData, ProtocolDataLength)], &c.length, 4);
        });
        std::uint8_t log[512];
        EXPECT_EQ(c.expected, device->ReadNvmeHealthLog(log)) << c.offset << " " << c.length;
    }
}

}  // namespace
}  // namespace sektra::test
