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

TEST_F(Capacity, GetCapacityAsksAgainOnlyWhenTheShortFormOverflows) {
    port.OnCommand(0x25, Data({0x12, 0x34, 0x56, 0x78, 0, 0, 2, 0}));
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    EXPECT_EQ(0, device.GetCapacity(&lastLba, &blockLength));
    EXPECT_EQ(0x12345678u, lastLba);
    EXPECT_EQ(512u, blockLength);
    EXPECT_EQ(1u, port.calls.size());
}

// READ CAPACITY(16) parameter data: the last block address, the block length, and zeros (or
// only the first `size` bytes of all that, as a short reply).
Reply Capacity16(std::uint64_t lastLba, std::uint32_t blockLength, std::size_t size = 32) {
    std::vector<std::uint8_t> data(32, 0);
    for (int i = 0; i < 8; ++i) data[i] = static_cast<std::uint8_t>(lastLba >> (56 - 8 * i));
    for (int i = 0; i < 4; ++i) data[8 + i] = static_cast<std::uint8_t>(blockLength >> (24 - 8 * i));
    data[13] = 3;  // 8 logical blocks per physical block
    data.resize(size);
    return Data(data);
}

const Reply kShortOverflow = Data({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 2, 0});

TEST_F(Capacity, BeyondTheShortFormAsksReadCapacity16NeverTheLongForm) {
    // 12 TB of 512-byte blocks: 23,437,500,000 blocks, so the last is 23,437,499,999.
    port.OnCommand(0x25, kShortOverflow);
    port.OnCommand(0x9E, Capacity16(23437499999ull, 512));
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    EXPECT_EQ(0, device.GetCapacity(&lastLba, &blockLength));
    EXPECT_EQ(23437499999ull, lastLba);
    EXPECT_EQ(512u, blockLength);
    ASSERT_EQ(2u, port.calls.size());
    for (const Call* call : port.CallsWithOpcode(0x25)) EXPECT_EQ(0, call->Request().sptd.Cdb[1] & 0x02);
    const ScsiRequest& r = port.calls[1].Request();
    const std::uint8_t cdb[16] = {0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0};
    EXPECT_EQ(16, r.sptd.CdbLength);
    EXPECT_EQ(0, std::memcmp(cdb, r.sptd.Cdb, 16));
    EXPECT_EQ(32u, r.sptd.DataTransferLength);
    EXPECT_EQ(kScsiIoctlDataIn, r.sptd.DataIn);
}

TEST_F(Capacity, UnusableCapacitiesGiveZeros) {
    struct Case {
        const char* what;
        Reply shortReply;
        Reply longReply;
        int result;
        std::uint64_t lastLba;
        std::uint32_t blockLength;
    };
    const std::uint64_t kMax512 = 0x007FFFFFFFFFFFFEull;  // (2^55 - 1) blocks of 512: 2^64 - 512 bytes
    const Case cases[] = {
        {"short form, block length 0", Data({0, 0, 0x10, 0, 0, 0, 0, 0}), {}, 0, 0, 0},
        {"long form refused", kShortOverflow, CheckCondition(5, 0x24, 0), 0, 0, 0},
        {"long form CHECK CONDITION without sense", kShortOverflow, Reply{true, {}, {}, 0x02}, 0, 0, 0},
        {"long form BUSY", kShortOverflow, Reply{true, {}, {}, 0x08}, 0, 0, 0},
        {"long form control call failed", kShortOverflow, Failure(), -1, 0, 0},
        {"long form block length 0", kShortOverflow, Capacity16(0x100000000ull, 0), 0, 0, 0},
        {"2^64 - 1 as the last block", kShortOverflow, Capacity16(~0ull, 512), 0, 0, 0},
        {"2^64 bytes exactly", kShortOverflow, Capacity16(kMax512 + 1, 512), 0, 0, 0},
        {"2^64 - 512 bytes", kShortOverflow, Capacity16(kMax512, 512), 0, kMax512, 512},
        {"reply of 11 bytes", kShortOverflow, Capacity16(0x100000000ull, 512, 11), 0, 0, 0},
        {"reply of 12 bytes is enough", kShortOverflow, Capacity16(0x100000000ull, 512, 12), 0, 0x100000000ull, 512},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port.ClearReplies();
        port.OnCommand(0x25, c.shortReply);
        port.OnCommand(0x9E, c.longReply);
        std::uint64_t lastLba = 7;
        std::uint32_t blockLength = 7;
        EXPECT_EQ(c.result, device.GetCapacity(&lastLba, &blockLength));
        EXPECT_EQ(c.lastLba, lastLba);
        EXPECT_EQ(c.blockLength, blockLength);
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
    EXPECT_EQ(30u, r.sptd.TimeOutValue);  // may have to spin the medium up
    EXPECT_NE(nullptr, r.sptd.DataBuffer);

    const std::size_t callsBefore = port.calls.size();
    EXPECT_EQ(128, device.GetMaxReadSectors());
    EXPECT_EQ(callsBefore, port.calls.size());
}

TEST_F(Capacity, MaxReadSectorsStaysOnASmallMedium) {
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    port.OnCommand(0x25, Data({0, 0, 0, 49, 0, 0, 2, 0}));  // 50 blocks of 512
    EXPECT_EQ(50, device.GetMaxReadSectors());
    EXPECT_EQ(50, port.CallsWithOpcode(0x28)[0]->Request().sptd.Cdb[8]);
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
    port.OnCommand(0x25, Data({0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1}));  // 1-byte blocks: 16 MiB of them
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
