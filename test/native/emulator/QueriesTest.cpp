// The storage property queries and the SMART IDENTIFY request of the emulated devices.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

std::string TextAt(const std::vector<std::uint8_t>& d, std::uint32_t offset) {
    return std::string(reinterpret_cast<const char*>(&d[offset]));
}

StorageDeviceDescriptor Header(const std::vector<std::uint8_t>& d) {
    StorageDeviceDescriptor h{};
    std::memcpy(&h, d.data(), offsetof(StorageDeviceDescriptor, RawDeviceProperties));
    return h;
}

TEST(StorageQueries, DeviceDescriptorOfAScsiDisk) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(2048));
    RawDevice raw(port);
    std::vector<std::uint8_t> d(1064, 0);
    std::uint32_t returned = 0;
    ASSERT_TRUE(raw.Query(kStorageDeviceProperty, d, &returned));
    const StorageDeviceDescriptor h = Header(d);
    EXPECT_EQ(returned, h.Size);
    EXPECT_EQ(h.BusType, 1u);
    EXPECT_EQ(h.DeviceType, 0);
    EXPECT_EQ(TextAt(d, h.VendorIdOffset), "SEKTRA  ");
    EXPECT_EQ(TextAt(d, h.ProductIdOffset), "TEST DISK       ");
    EXPECT_EQ(TextAt(d, h.ProductRevisionOffset), "T1.0");
    EXPECT_EQ(TextAt(d, h.SerialNumberOffset), "SKT0000T0001");
    EXPECT_EQ(h.Size, h.SerialNumberOffset + 13);
}

TEST(StorageQueries, AtaDiskHasNoVendorTextAndNoSerialMeansOffsetZero) {
    DeviceConfig config = DemoDevices(TimeMode::Zero)[0].config;
    config.serialNumber.clear();
    EmulatedPort port;
    port.AddDevice(0, config);
    RawDevice raw(port);
    std::vector<std::uint8_t> d(1064, 0);
    std::uint32_t returned = 0;
    ASSERT_TRUE(raw.Query(kStorageDeviceProperty, d, &returned));
    const StorageDeviceDescriptor h = Header(d);
    EXPECT_EQ(h.BusType, 3u);
    EXPECT_EQ(h.VendorIdOffset, 0u);
    EXPECT_EQ(TextAt(d, h.ProductIdOffset), "SEKTRA DEMO HDD ATA 2GB");
    EXPECT_EQ(h.SerialNumberOffset, 0u);
}

TEST(StorageQueries, ShortOutputGetsTheStartOfTheDescriptor) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(2048));
    RawDevice raw(port);
    std::vector<std::uint8_t> d(16, 0);
    std::uint32_t returned = 0;
    ASSERT_TRUE(raw.Query(kStorageDeviceProperty, d, &returned));
    EXPECT_EQ(returned, 16u);
    std::uint32_t size = 0;
    std::memcpy(&size, &d[4], 4);
    EXPECT_GT(size, 36u);  // Size tells the whole descriptor
    std::vector<std::uint8_t> tiny(4);
    EXPECT_FALSE(raw.Query(kStorageDeviceProperty, tiny, &returned));
}

TEST(StorageQueries, AdapterDescriptorAndOtherQueries) {
    DeviceConfig config = TestDisk(2048);
    config.maximumTransferLength = 0x2000000;
    config.maximumPhysicalPages = 0x10000;
    EmulatedPort port;
    port.AddDevice(0, config);
    RawDevice raw(port);
    std::vector<std::uint8_t> d(32, 0);
    std::uint32_t returned = 0;
    ASSERT_TRUE(raw.Query(kStorageAdapterProperty, d, &returned));
    EXPECT_EQ(returned, 32u);
    StorageAdapterDescriptor a{};
    std::memcpy(&a, d.data(), sizeof(a));
    EXPECT_EQ(a.MaximumTransferLength, 0x2000000u);
    EXPECT_EQ(a.MaximumPhysicalPages, 0x10000u);
    EXPECT_EQ(a.BusType, 1);

    EXPECT_TRUE(raw.Query(kStorageAdapterProperty, d, &returned, 1));  // exists query
    EXPECT_FALSE(raw.Query(7, d, &returned));                          // unknown property
    EXPECT_FALSE(raw.Query(kStorageDeviceProperty, d, &returned, 2));  // unknown query type
}

// Word w of an IDENTIFY block (little-endian words after the 16-byte output header).
std::uint16_t Word(const std::vector<std::uint8_t>& out, int w) {
    return static_cast<std::uint16_t>(out[16 + 2 * w] | out[16 + 2 * w + 1] << 8);
}

std::string AtaText(const std::vector<std::uint8_t>& out, int firstWord, int words) {
    std::string s;
    for (int w = firstWord; w < firstWord + words; ++w) {
        s += static_cast<char>(Word(out, w) >> 8);
        s += static_cast<char>(Word(out, w) & 0xFF);
    }
    return s;
}

TEST(Identify, AtaDiskAnswersIdentifyDevice) {
    const DeviceConfig config = DemoDevices(TimeMode::Zero)[0].config;
    EmulatedPort port;
    port.AddDevice(0, config);
    RawDevice raw(port);
    std::vector<std::uint8_t> out(528, 0xCC);
    ASSERT_TRUE(raw.Identify(0xEC, out));
    EXPECT_EQ(out[0], 0x00);  // cBufferSize 512, little-endian
    EXPECT_EQ(out[1], 0x02);
    EXPECT_EQ(Word(out, 0), 0x0040);
    EXPECT_EQ(AtaText(out, 27, 20), "SEKTRA DEMO HDD ATA 2GB                 ");
    EXPECT_EQ(AtaText(out, 10, 10), "        SKT0000A0001");
    EXPECT_EQ(AtaText(out, 23, 4), "D100    ");
    EXPECT_EQ(static_cast<std::uint32_t>(Word(out, 60) | Word(out, 61) << 16), 4194304u);
    EXPECT_EQ(Word(out, 100) | static_cast<std::uint32_t>(Word(out, 101)) << 16, 4194304u);
    std::uint8_t sum = 0;
    for (int i = 16; i < 528; ++i) sum = static_cast<std::uint8_t>(sum + out[i]);
    EXPECT_EQ(sum, 0);
    EXPECT_EQ(out[16 + 510], 0xA5);
    // The packet form is aborted by an ATA disk.
    EXPECT_FALSE(raw.Identify(0xA1, out));
}

TEST(Identify, AtapiAnswersOnlyThePacketForm) {
    EmulatedPort port;
    port.AddDevice(1, DemoDevices(TimeMode::Zero)[4].config);
    RawDevice raw(port, 1, 0);
    std::vector<std::uint8_t> out(528);
    EXPECT_FALSE(raw.Identify(0xEC, out));
    ASSERT_TRUE(raw.Identify(0xA1, out));
    EXPECT_EQ(Word(out, 0), 0x85C0);
    EXPECT_EQ(AtaText(out, 27, 12), "SEKTRA DEMO CD-ROM ATAPI");
}

TEST(Identify, RefusedForScsiDisksAndShortBuffers) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(2048));
    DeviceConfig sata = TestDisk(2048);
    sata.busType = 11;
    port.AddDevice(0, sata);
    RawDevice scsi(port, 0, 0), serialAta(port, 0, 1);
    std::vector<std::uint8_t> out(528);
    EXPECT_FALSE(scsi.Identify(0xEC, out));
    EXPECT_TRUE(serialAta.Identify(0xEC, out));
    std::vector<std::uint8_t> shortOut(527);
    EXPECT_FALSE(serialAta.Identify(0xEC, shortOut));
}

}  // namespace
}  // namespace sektra::test
