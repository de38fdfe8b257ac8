// Capacity in both forms and the two transfer probes.
#include <gtest/gtest.h>

#include <cstring>

#include "device/Device.h"
#include "native/device/ScriptedPort.h"

namespace sektra::test {
namespace {

class Capacity : public ::testing::Test {
protected:
    void SetUp() override {
        port.members[0] = {true};
        ASSERT_EQ(0, device.Open(0, 0));
    }
    ScriptedPort port;
    Device device{&port};
};

TEST_F(Capacity, ReadCapacityDecodesBigEndianValues) {
    port.OnCommand(0x25, Data({0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00}));
    std::uint32_t lastLba = 1, blockLength = 1;
    EXPECT_EQ(0, device.ReadCapacity(&lastLba, &blockLength));
    EXPECT_EQ(0x10000u, lastLba);
    EXPECT_EQ(512u, blockLength);
    const ScsiRequest& r = port.calls[0].Request();
    EXPECT_EQ(8u, r.sptd.DataTransferLength);
    EXPECT_EQ(0, r.sptd.Cdb[1]);
}

TEST_F(Capacity, ReadCapacityRefusedOrFailed) {
    struct Case { Reply reply; int result; };
    const Case cases[] = {
        {CheckCondition(2, 0x3A, 0x00), 0},  // no medium: zeros with result 0
        {CheckCondition(1, 0x00, 0x00), 0},  // recovered error counts as refused
        {Failure(), -1},
    };
    for (const Case& c : cases) {
        Reply reply = c.reply;
        reply.data = {0, 0, 0x10, 0, 0, 0, 2, 0};
        port.ClearReplies();
        port.OnCommand(0x25, reply);
        std::uint32_t lastLba = 7, blockLength = 7;
        std::uint64_t lastLba64 = 7;
        std::uint32_t blockLength64 = 7;
        EXPECT_EQ(c.result, device.ReadCapacity(&lastLba, &blockLength));
        EXPECT_EQ(0u, lastLba);
        EXPECT_EQ(0u, blockLength);
        EXPECT_EQ(c.result, device.GetCapacity(&lastLba64, &blockLength64));
        EXPECT_EQ(0u, lastLba64);
        EXPECT_EQ(0u, blockLength64);
    }
}

TEST_F(Capacity, GetCapacityAsksTheLongFormOnlyWhenTheShortOneOverflows) {
    port.OnCommand(0x25, Data({0x12, 0x34, 0x56, 0x78, 0, 0, 2, 0}));
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    EXPECT_EQ(0, device.GetCapacity(&lastLba, &blockLength));
    EXPECT_EQ(0x12345678u, lastLba);
    EXPECT_EQ(512u, blockLength);
    EXPECT_EQ(1u, port.calls.size());
}

TEST_F(Capacity, GetCapacityLongForm) {
    port.OnCommand(0x25, Data({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0}));
    port.OnCommand(0x25, Data({0x00, 0x00, 0x00, 0x01, 0x23, 0x45, 0x67, 0x89, 0, 0, 0x10, 0}));
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    EXPECT_EQ(0, device.GetCapacity(&lastLba, &blockLength));
    EXPECT_EQ(0x123456789ull, lastLba);
    EXPECT_EQ(4096u, blockLength);
    ASSERT_EQ(2u, port.calls.size());
    const ScsiRequest& r = port.calls[1].Request();
    EXPECT_EQ(0x02, r.sptd.Cdb[1]);
    EXPECT_EQ(12u, r.sptd.DataTransferLength);
}

TEST_F(Capacity, GetCapacityLongFormRefusedOrFailed) {
    {
        ScriptedPort p;
        p.members[0] = {true};
        p.OnCommand(0x25, Data({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0}));
        p.OnCommand(0x25, CheckCondition(5, 0x24, 0));
        Device d(&p);
        ASSERT_EQ(0, d.Open(0, 0));
        std::uint64_t lastLba = 7;
        std::uint32_t blockLength = 7;
        EXPECT_EQ(0, d.GetCapacity(&lastLba, &blockLength));
        EXPECT_EQ(0u, lastLba);
        EXPECT_EQ(0u, blockLength);
    }
    {
        ScriptedPort p;
        p.members[0] = {true};
        p.OnCommand(0x25, Data({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0}));
        p.OnCommand(0x25, Failure());
        Device d(&p);
        ASSERT_EQ(0, d.Open(0, 0));
        std::uint64_t lastLba = 7;
        std::uint32_t blockLength = 7;
        EXPECT_EQ(-1, d.GetCapacity(&lastLba, &blockLength));
        EXPECT_EQ(0xFFFFFFFFu, lastLba);
        EXPECT_EQ(512u, blockLength);
    }
}

TEST_F(Capacity, MaxReadSectorsReadsTheLargestTransferOnceAndCachesIt) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    port.OnCommand(0x25, Data({0, 0, 0x03, 0xE7, 0, 0, 2, 0}));  // 1000 blocks of 512
    EXPECT_EQ(128, device.GetMaxReadSectors());
    const auto reads = port.CallsWithOpcode(0x28);
    ASSERT_EQ(1u, reads.size());
    const ScsiRequest& r = reads[0]->Request();
    const std::uint8_t cdb[10] = {0x28, 0, 0, 0, 0, 0, 0, 0x00, 0x80, 0};
    EXPECT_EQ(0, std::memcmp(cdb, r.sptd.Cdb, 10));
    EXPECT_EQ(65536u, r.sptd.DataTransferLength);
    EXPECT_NE(nullptr, r.sptd.DataBuffer);

    const std::size_t callsBefore = port.calls.size();
    EXPECT_EQ(128, device.GetMaxReadSectors());
    EXPECT_EQ(callsBefore, port.calls.size());
}

TEST_F(Capacity, MaxReadSectorsWithoutCapacityIsRepeated) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    port.OnCommand(0x25, CheckCondition(2, 0x3A, 0));
    EXPECT_EQ(-1, device.GetMaxReadSectors());
    EXPECT_EQ(1u, port.CallsWithOpcode(0x25).size());
    EXPECT_EQ(-1, device.GetMaxReadSectors());
    EXPECT_EQ(2u, port.CallsWithOpcode(0x25).size());
    EXPECT_TRUE(port.CallsWithOpcode(0x28).empty());
}

TEST_F(Capacity, MaxReadSectorsRefusedReadCachesZero) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    port.OnCommand(0x25, Data({0, 0, 0x03, 0xE7, 0, 0, 8, 0}));  // 2048-byte blocks
    port.OnCommand(0x28, CheckCondition(3, 0x11, 0));
    EXPECT_EQ(0, device.GetMaxReadSectors());
    EXPECT_EQ(0, device.GetMaxReadSectors());
    EXPECT_EQ(1u, port.CallsWithOpcode(0x28).size());
    EXPECT_EQ(32, port.CallsWithOpcode(0x28)[0]->Request().sptd.Cdb[8]);  // 65536 / 2048
}

TEST_F(Capacity, MaxReadSectorsKeepsTheBlockCountWithin16Bits) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(0x1000000, 0x1000));
    port.OnCommand(0x25, Data({0, 0, 0x03, 0xE7, 0, 0, 0, 1}));  // 1-byte blocks: 2^24 of them
    EXPECT_EQ(65535, device.GetMaxReadSectors());
    const ScsiRequest& r = port.CallsWithOpcode(0x28)[0]->Request();
    EXPECT_EQ(0xFF, r.sptd.Cdb[7]);
    EXPECT_EQ(0xFF, r.sptd.Cdb[8]);
    EXPECT_EQ(65535u, r.sptd.DataTransferLength);
}

TEST_F(Capacity, MaxReadBufferBytesProbesWithTheAdapterLimit) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    EXPECT_EQ(65536, device.GetMaxReadBufferBytes());
    const auto reads = port.CallsWithOpcode(0x3C);
    ASSERT_EQ(1u, reads.size());
    const std::uint8_t cdb[10] = {0x3C, 0x02, 0x00, 0, 0, 0, 0x01, 0x00, 0x00, 0};
    EXPECT_EQ(0, std::memcmp(cdb, reads[0]->Request().sptd.Cdb, 10));
    EXPECT_EQ(65536u, reads[0]->Request().sptd.DataTransferLength);
    EXPECT_EQ(65536, device.GetMaxReadBufferBytes());
    EXPECT_EQ(1u, port.CallsWithOpcode(0x3C).size());
}

TEST_F(Capacity, MaxReadBufferBytesRefusedOrWithoutLimitIsZero) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    port.OnCommand(0x3C, CheckCondition(5, 0x24, 0));
    EXPECT_EQ(0, device.GetMaxReadBufferBytes());

    ScriptedPort p;
    p.members[0] = {true};
    p.OnProperty(kStorageAdapterProperty, Failure());
    Device d(&p);
    ASSERT_EQ(0, d.Open(0, 0));
    EXPECT_EQ(0, d.GetMaxReadBufferBytes());
    EXPECT_TRUE(p.CallsWithOpcode(0x3C).empty());
}

TEST_F(Capacity, MaxReadBufferBytesStaysWithinThe24BitLength) {
    // A 16 MiB length would go out as 0 and succeed without moving a byte.
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(0x2000000, 0x10000));
    EXPECT_EQ(0xFFFFFF, device.GetMaxReadBufferBytes());
    const ScsiRequest& r = port.CallsWithOpcode(0x3C)[0]->Request();
    EXPECT_EQ(0xFF, r.sptd.Cdb[6]);
    EXPECT_EQ(0xFF, r.sptd.Cdb[7]);
    EXPECT_EQ(0xFF, r.sptd.Cdb[8]);
    EXPECT_EQ(0xFFFFFFu, r.sptd.DataTransferLength);
}

}  // namespace
}  // namespace sektra::test
