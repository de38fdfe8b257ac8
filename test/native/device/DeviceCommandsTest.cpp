// Every typed command as the request bytes that leave the Device.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "device/Device.h"
#include "native/device/ScriptedPort.h"

namespace sektra::test {
namespace {

struct CommandCase {
    const char* name;
    std::function<int(Device&, IoBuffer*)> send;
    std::vector<std::uint8_t> cdb;  // by hand; lun 0x0D puts 101b into bits 5 to 7 of byte 1
    std::uint8_t dataIn;
    std::uint32_t timeOut;  // 30 s for what may spin a medium up, flush or move over 64 KiB
};

const std::vector<CommandCase>& Cases() {
    static const std::vector<CommandCase> cases = {
        {"RequestSense", [](Device& d, IoBuffer* io) { return d.RequestSense(io, 0x12); },
         {0x03, 0xA0, 0x00, 0x00, 0x12, 0x00}, 1, 2},
        {"InquiryCmdDtEvpd", [](Device& d, IoBuffer* io) { return d.Inquiry(io, true, true, 0x83, 0xFF); },
         {0x12, 0xA3, 0x83, 0x00, 0xFF, 0x00}, 1, 2},
        {"InquiryVpd", [](Device& d, IoBuffer* io) { return d.Inquiry(io, false, true, 0x80, 0x40); },
         {0x12, 0xA1, 0x80, 0x00, 0x40, 0x00}, 1, 2},
        {"ReadCapacityLong", [](Device& d, IoBuffer* io) { return d.ReadCapacityCommand(io, true, true, true, 0x01020304); },
         {0x25, 0xA3, 0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x01, 0x00}, 1, 2},
        {"ReadCapacityShort", [](Device& d, IoBuffer* io) { return d.ReadCapacityCommand(io, false, false, false, 0); },
         {0x25, 0xA0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 2},
        // SERVICE ACTION IN(16): no LUN bits in byte 1, the allocation length in bytes 10-13.
        {"ReadCapacity16", [](Device& d, IoBuffer* io) { return d.ReadCapacity16(io, 0x01020304); },
         {0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x02, 0x03, 0x04, 0, 0}, 1, 2},
        {"Read10AllBits", [](Device& d, IoBuffer* io) { return d.Read10(io, true, true, true, 0x89ABCDEF, 0xFEDC); },
         {0x28, 0xB9, 0x89, 0xAB, 0xCD, 0xEF, 0x00, 0xFE, 0xDC, 0x00}, 1, 30},
        {"Read10", [](Device& d, IoBuffer* io) { return d.Read10(io, false, false, false, 5, 1); },
         {0x28, 0xA0, 0, 0, 0, 5, 0, 0, 1, 0}, 1, 30},
        {"Write10", [](Device& d, IoBuffer* io) { return d.Write10(io, true, false, false, 0x100, 0x80); },
         {0x2A, 0xB0, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x80, 0x00}, 0, 30},
        {"Write10Fua", [](Device& d, IoBuffer* io) { return d.Write10(io, false, true, true, 0xFFFFFFFE, 0xFFFF); },
         {0x2A, 0xA9, 0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0xFF, 0xFF, 0x00}, 0, 30},
        {"Seek10", [](Device& d, IoBuffer* io) { return d.Seek10(io, 0xFFFFFFFF); },
         {0x2B, 0xA0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}, 1, 30},
        {"WriteAndVerify10", [](Device& d, IoBuffer* io) { return d.WriteAndVerify10(io, true, true, true, 0x10, 8); },
         {0x2E, 0xB3, 0, 0, 0, 0x10, 0, 0, 8, 0}, 0, 30},
        {"Verify10", [](Device& d, IoBuffer* io) { return d.Verify10(io, false, true, false, 0x12345678, 0x100); },
         {0x2F, 0xA2, 0x12, 0x34, 0x56, 0x78, 0x00, 0x01, 0x00, 0x00}, 0, 50},
        {"SynchronizeCache10", [](Device& d, IoBuffer* io) { return d.SynchronizeCache10(io, true, true, 0x20, 0x40); },
         {0x35, 0xA3, 0, 0, 0, 0x20, 0, 0, 0x40, 0}, 1, 30},
        {"ReadDefectData10", [](Device& d, IoBuffer* io) { return d.ReadDefectData10(io, true, true, 0xFD, 0x0400); },
         {0x37, 0xA0, 0x1D, 0, 0, 0, 0, 0x04, 0x00, 0}, 1, 30},
        // Offset and length keep their low 24 bits; the buffer ID sits in byte 2.
        {"WriteBuffer", [](Device& d, IoBuffer* io) { return d.WriteBuffer(io, 0x12, 7, 0x01ABCDEF, 0xFF123456); },
         {0x3B, 0xA2, 0x07, 0xAB, 0xCD, 0xEF, 0x12, 0x34, 0x56, 0x00}, 0, 30},
        {"ReadBuffer16MiB", [](Device& d, IoBuffer* io) { return d.ReadBuffer(io, 0x0A, 0, 0x1000000, 0x1000000); },
         {0x3C, 0xAA, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}, 1, 30},
        {"ReadBuffer", [](Device& d, IoBuffer* io) { return d.ReadBuffer(io, 2, 0xFF, 0x000200, 0xFFFFFF); },
         {0x3C, 0xA2, 0xFF, 0x00, 0x02, 0x00, 0xFF, 0xFF, 0xFF, 0x00}, 1, 30},
        {"LogSense", [](Device& d, IoBuffer* io) { return d.LogSense(io, true, true, 5, 0xCD, 0x0102, 0x0304); },
         {0x4D, 0xA3, 0x4D, 0x00, 0x00, 0x01, 0x02, 0x03, 0x04, 0x00}, 1, 2},
        {"ModeSense10", [](Device& d, IoBuffer* io) { return d.ModeSense10(io, true, true, 2, 0x3F, 0xFFFF); },
         {0x5A, 0xB8, 0xBF, 0, 0, 0, 0, 0xFF, 0xFF, 0}, 1, 2},
        {"ModeSense10Plain", [](Device& d, IoBuffer* io) { return d.ModeSense10(io, false, false, 0, 0x08, 0x00FC); },
         {0x5A, 0xA0, 0x08, 0, 0, 0, 0, 0x00, 0xFC, 0}, 1, 2},
    };
    return cases;
}

class TypedCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(TypedCommand, SendsItsRequestAndReturnsTheSense) {
    const CommandCase& c = GetParam();
    ScriptedPort port;
    port.members[0] = {true};
    // CHECK CONDITION with 32 sense bytes: the Device must copy exactly 24 of them.
    Reply reply = CheckCondition(6, 0x29, 0x01);
    reply.sense.resize(kSenseAreaSize);
    for (std::size_t i = 14; i < reply.sense.size(); ++i) reply.sense[i] = static_cast<std::uint8_t>(0xC0 + i);
    port.OnCommand(c.cdb[0], reply);

    Device device(&port, 2, 3, 0x0D);
    ASSERT_EQ(0, device.Open(0, 0));
    std::uint8_t data[64] = {};
    IoBuffer io = {data, 0x1234, {}};
    std::memset(io.sense, 0xEE, sizeof(io.sense));

    EXPECT_EQ(0, c.send(device, &io));

    ASSERT_EQ(1u, port.calls.size());
    const Call& call = port.calls[0];
    EXPECT_EQ(kIoctlScsiPassThroughDirect, call.code);
    EXPECT_EQ(1000, call.handle);
    ASSERT_EQ(sizeof(ScsiRequest), call.in.size());
    EXPECT_EQ(sizeof(ScsiRequest), call.outSize);

    // Everything not set below must be zero, padding and the sense area included.
    ScsiRequest expected;
    std::memset(&expected, 0, sizeof(expected));
    expected.sptd.Length = sizeof(ScsiPassThroughDirect);
    expected.sptd.PathId = 2;
    expected.sptd.TargetId = 3;
    expected.sptd.Lun = 0x0D;
    expected.sptd.CdbLength = static_cast<std::uint8_t>(c.cdb.size());
    expected.sptd.SenseInfoLength = 24;
    expected.sptd.DataIn = c.dataIn;
    expected.sptd.DataTransferLength = 0x1234;
    expected.sptd.TimeOutValue = c.timeOut;
    expected.sptd.DataBuffer = data;
    expected.sptd.SenseInfoOffset = offsetof(ScsiRequest, sense);
    std::memcpy(expected.sptd.Cdb, c.cdb.data(), c.cdb.size());
    const std::vector<std::uint8_t> want(reinterpret_cast<const std::uint8_t*>(&expected),
                                         reinterpret_cast<const std::uint8_t*>(&expected + 1));
    EXPECT_EQ(want, call.in);

    EXPECT_EQ(std::vector<std::uint8_t>(reply.sense.begin(), reply.sense.begin() + 24),
              std::vector<std::uint8_t>(io.sense, io.sense + 24));
    for (std::size_t i = 24; i < kSenseAreaSize; ++i) EXPECT_EQ(0xEE, io.sense[i]) << i;
    // The status and the bytes that moved come back too: a CHECK CONDITION moved no data in.
    EXPECT_EQ(0x02, io.scsiStatus);
    EXPECT_EQ(c.dataIn ? 0u : 0x1234u, io.transferred);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, TypedCommand, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

}  // namespace
}  // namespace sektra::test
