// How a command's outcome is judged, and the generic pass-through.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device/CommandOutcome.h"
#include "device/Device.h"
#include "device/Sense.h"
#include "native/device/ScriptedPort.h"

namespace sektra::test {
namespace {

TEST(CleanCommand, NeedsResultZeroAndNoSenseKeyAscOrAscq) {
    struct Case { int result; int byte2, byte12, byte13; bool clean; };
    const Case cases[] = {
        {0, 0x00, 0x00, 0x00, true},
        {0, 0x01, 0x00, 0x00, false},  // RECOVERED ERROR is a failure too
        {0, 0x05, 0x24, 0x00, false},
        {0, 0x00, 0x5D, 0x00, false},  // ASC alone
        {0, 0x00, 0x00, 0x01, false},  // ASCQ alone
        {0, 0xE0, 0x00, 0x00, true},   // filemark/EOM/ILI bits are not the sense key
        {-1, 0x00, 0x00, 0x00, false},
    };
    for (const Case& c : cases) {
        std::uint8_t sense[32] = {};
        sense[2] = static_cast<std::uint8_t>(c.byte2);
        sense[12] = static_cast<std::uint8_t>(c.byte12);
        sense[13] = static_cast<std::uint8_t>(c.byte13);
        EXPECT_EQ(c.clean, IsCleanCommand(c.result, sense))
            << c.result << " " << c.byte2 << " " << c.byte12 << " " << c.byte13;
    }
}

class DeviceOutcome : public ::testing::Test {
protected:
    void SetUp() override {
        port.members[0] = {true};
        ASSERT_EQ(0, device.Open(0, 0));
        std::memset(io.sense, 0xEE, sizeof(io.sense));
    }
    ScriptedPort port;
    Device device{&port};
    std::uint8_t data[256] = {};
    IoBuffer io = {data, sizeof(data), {}};
};

TEST_F(DeviceOutcome, OnlyGoodStatusWithoutSenseIsClean) {
    std::vector<std::uint8_t> descriptor(8, 0);  // descriptor-format sense: 72h, key, ASC, ASCQ
    descriptor[0] = 0x72;
    descriptor[1] = 0x05;
    descriptor[2] = 0x24;
    struct Case { const char* what; Reply reply; bool clean; std::uint8_t key, asc; };
    const Case cases[] = {
        {"GOOD", Data({1, 2, 3}), true, 0, 0},
        {"CHECK CONDITION without sense", Reply{true, {}, {}, 0x02}, false, 0, 0},
        {"BUSY", Reply{true, {}, {}, 0x08}, false, 0, 0},
        {"RESERVATION CONFLICT", Reply{true, {}, {}, 0x18}, false, 0, 0},
        {"RECOVERED ERROR", CheckCondition(1, 0x17, 0x01), false, 1, 0x17},
        {"descriptor sense", Reply{true, {}, descriptor, 0x02}, false, 5, 0x24},
        {"control call failed", Failure(), false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port.ClearReplies();
        port.OnCommand(0x12, c.reply);
        std::memset(io.sense, 0, sizeof(io.sense));
        const int result = device.Inquiry(&io, false, false, 0, 255);
        EXPECT_EQ(c.clean, Clean(result, io));
        EXPECT_EQ(c.key, RefusalSenseKey(io));
        EXPECT_EQ(c.asc, RefusalAsc(io));
    }
}

TEST_F(DeviceOutcome, FailedControlCallGivesMinusOneAndZeroSense) {
    port.OnCommand(0x28, Failure());
    const int result = device.Read10(&io, false, false, false, 0, 1);
    EXPECT_EQ(-1, result);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(0, io.sense[i]) << i;
    EXPECT_FALSE(IsCleanCommand(result, io.sense));
}

TEST_F(DeviceOutcome, RecoveredErrorIsReportedAsFailure) {
    port.OnCommand(0x28, CheckCondition(1, 0x17, 0x01));
    const int result = device.Read10(&io, false, false, false, 0, 1);
    EXPECT_EQ(0, result);
    EXPECT_EQ(1, SenseKey(io.sense));
    EXPECT_FALSE(IsCleanCommand(result, io.sense));
}

TEST(DeviceNotOpen, FailsWithoutReachingThePort) {
    ScriptedPort port;
    Device device(&port);
    std::uint8_t data[8];
    IoBuffer io = {data, sizeof(data), {}};
    EXPECT_EQ(-1, device.ReadCapacityCommand(&io, false, false, false, 0));
    EXPECT_EQ(0u, device.GetBusType());
    EXPECT_TRUE(port.calls.empty());
}

TEST_F(DeviceOutcome, ExecutePassThroughFillsOnlyTheAddress) {
    Device addressed(&port, 7, 9, 4);
    ASSERT_EQ(0, addressed.Open(0, 0));
    port.OnCommand(0x28, CheckCondition(3, 0x11, 0x00));
    ScsiRequest request;
    InitScsiRequest(&request, 10, kScsiIoctlDataIn, data, 512, 2);
    request.sptd.Cdb[0] = 0x28;
    request.sptd.Cdb[1] = 0x00;  // the caller's block: no lun bits are added
    request.sptd.Cdb[8] = 1;
    request.filler = 0x5A5A5A5A;
    ScsiRequest sent = request;
    sent.sptd.PathId = 7;
    sent.sptd.TargetId = 9;
    sent.sptd.Lun = 4;

    EXPECT_EQ(0, addressed.ExecutePassThrough(&request));
    ASSERT_EQ(1u, port.calls.size());
    EXPECT_EQ(0, std::memcmp(&sent, port.calls[0].in.data(), sizeof(sent)));
    EXPECT_EQ(sizeof(ScsiRequest), port.calls[0].outSize);
    // The sense data stay in the request.
    EXPECT_EQ(3, SenseKey(request.sense));
    EXPECT_EQ(0x11, AdditionalSenseCode(request.sense));
}

TEST(SwapBytes, ReverseBytesAndJoinBigEndianWords) {
    ScriptedPort port;
    Device device(&port);
    EXPECT_EQ(0x3412u, device.SwapBytes16(0x1234));
    EXPECT_EQ(0x78563412u, device.SwapBytes32(0x12345678));
    // An 8-byte big-endian field 01 23 45 67 89 AB CD EF read as two words on a little-endian host.
    const std::uint8_t field[8] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF};
    std::uint32_t first, second;
    std::memcpy(&first, field, 4);
    std::memcpy(&second, field + 4, 4);
    EXPECT_EQ(0x0123456789ABCDEFull, device.SwapBytes64(first, second));
}

}  // namespace
}  // namespace sektra::test
