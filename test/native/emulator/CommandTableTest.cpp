// What the emulated target answers to each command it knows, and how it refuses the rest: one
// table of cases over a small test disk, checked for outcome, status and sense.
#include <gtest/gtest.h>

#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kIn = kScsiIoctlDataIn;
constexpr std::uint8_t kOut = kScsiIoctlDataOut;

struct Case {
    const char* name;
    std::vector<std::uint8_t> cdb;
    std::uint8_t dataIn;
    std::uint32_t length;
    bool ok;             // the control call succeeds
    std::uint8_t key;    // sense key (0: GOOD status expected)
    std::uint8_t asc;
};

// The test disk: 2048 blocks of 512 bytes (last block 2047 = 0x7FF), 1 MiB buffer.
const Case kCases[] = {
    {"TEST UNIT READY", {0x00, 0, 0, 0, 0, 0}, kIn, 0, true, 0, 0},
    {"REQUEST SENSE", {0x03, 0, 0, 0, 18, 0}, kIn, 18, true, 0, 0},
    {"FORMAT UNIT", {0x04, 0, 0, 0, 0, 0}, kOut, 0, true, 0, 0},
    {"INQUIRY standard", {0x12, 0, 0, 0, 36, 0}, kIn, 36, true, 0, 0},
    {"INQUIRY VPD 00h", {0x12, 1, 0x00, 0, 255, 0}, kIn, 255, true, 0, 0},
    {"INQUIRY VPD 80h", {0x12, 1, 0x80, 0, 255, 0}, kIn, 255, true, 0, 0},
    {"INQUIRY VPD 83h", {0x12, 1, 0x83, 0, 255, 0}, kIn, 255, true, 0, 0},
    {"INQUIRY VPD 81h missing", {0x12, 1, 0x81, 0, 255, 0}, kIn, 255, true, 5, 0x24},
    {"INQUIRY page without EVPD", {0x12, 0, 0x80, 0, 255, 0}, kIn, 255, true, 5, 0x24},
    {"INQUIRY CmdDt", {0x12, 2, 0, 0, 255, 0}, kIn, 255, true, 5, 0x24},
    {"READ CAPACITY", {0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, 8, true, 0, 0},
    {"READ CAPACITY(16)", {0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0}, kIn, 32, true, 0, 0},
    {"READ CAPACITY(16) address without PMI", {0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 32, 0, 0}, kIn, 32, true, 5, 0x24},
    {"SERVICE ACTION IN(16) other action", {0x9E, 0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0}, kIn, 32, true, 5, 0x24},
    // A set reserved bit is refused as real targets refuse it, the old "long form" included.
    {"READ CAPACITY long form", {0x25, 2, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, 12, true, 5, 0x24},
    {"READ CAPACITY reserved byte 7", {0x25, 0, 0, 0, 0, 0, 0, 1, 0, 0}, kIn, 8, true, 5, 0x24},
    {"READ CAPACITY(16) reserved byte 14", {0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 2, 0}, kIn, 32, true, 5, 0x24},
    {"TEST UNIT READY reserved byte 2", {0x00, 0, 1, 0, 0, 0}, kIn, 0, true, 5, 0x24},
    {"INQUIRY reserved byte 1", {0x12, 0x04, 0, 0, 36, 0}, kIn, 36, true, 5, 0x24},
    {"READ(10) reserved bit 2", {0x28, 0x04, 0, 0, 0, 0, 0, 0, 1, 0}, kIn, 512, true, 5, 0x24},
    {"READ(10) protection information", {0x28, 0x20, 0, 0, 0, 0, 0, 0, 1, 0}, kIn, 512, true, 5, 0x24},
    {"WRITE(10) reserved group bits", {0x2A, 0, 0, 0, 0, 5, 0x80, 0, 1, 0}, kOut, 512, true, 5, 0x24},
    {"SEEK(10) reserved byte 1", {0x2B, 0x20, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, 0, true, 5, 0x24},
    {"READ DEFECT DATA reserved byte 3", {0x37, 0, 0x15, 1, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"READ BUFFER reserved mode bits", {0x3C, 0x22, 0, 0, 0, 0, 0, 0x10, 0, 0}, kIn, 4096, true, 5, 0x24},
    {"LOG SENSE reserved byte 4", {0x4D, 0, 0x4D, 0, 1, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"MODE SENSE(10) reserved bit 0", {0x5A, 0x01, 0x08, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"READ CAPACITY address without PMI", {0x25, 0, 0, 0, 0, 1, 0, 0, 0, 0}, kIn, 8, true, 5, 0x24},
    {"READ(10) first block", {0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0}, kIn, 512, true, 0, 0},
    {"READ(10) last block", {0x28, 0, 0, 0, 0x07, 0xFF, 0, 0, 1, 0}, kIn, 512, true, 0, 0},
    {"READ(10) zero blocks", {0x28, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, 0, true, 0, 0},
    {"READ(10) past the end", {0x28, 0, 0, 0, 0x08, 0x00, 0, 0, 1, 0}, kIn, 512, true, 5, 0x21},
    {"READ(10) across the end", {0x28, 0, 0, 0, 0x07, 0xFF, 0, 0, 2, 0}, kIn, 1024, true, 5, 0x21},
    {"READ(10) relative address", {0x28, 1, 0, 0, 0, 0, 0, 0, 1, 0}, kIn, 512, true, 5, 0x24},
    {"WRITE(10)", {0x2A, 0, 0, 0, 0, 5, 0, 0, 2, 0}, kOut, 1024, true, 0, 0},
    {"WRITE(10) past the end", {0x2A, 0, 0, 0, 0x08, 0x00, 0, 0, 1, 0}, kOut, 512, true, 5, 0x21},
    {"SEEK(10) last block", {0x2B, 0, 0, 0, 0x07, 0xFF, 0, 0, 0, 0}, kIn, 0, true, 0, 0},
    {"SEEK(10) past the end", {0x2B, 0, 0, 0, 0x08, 0x00, 0, 0, 0, 0}, kIn, 0, true, 5, 0x21},
    {"WRITE AND VERIFY(10)", {0x2E, 0, 0, 0, 0, 9, 0, 0, 1, 0}, kOut, 512, true, 0, 0},
    {"VERIFY(10)", {0x2F, 0, 0, 0, 0, 0, 0, 0, 16, 0}, kOut, 0, true, 0, 0},
    {"VERIFY(10) past the end", {0x2F, 0, 0, 0, 0x07, 0xF8, 0, 0, 9, 0}, kOut, 0, true, 5, 0x21},
    {"SYNCHRONIZE CACHE(10)", {0x35, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, 0, true, 0, 0},
    {"SYNCHRONIZE CACHE(10) past the end", {0x35, 0, 0, 0, 0x08, 0, 0, 0, 0, 0}, kIn, 0, true, 5, 0x21},
    {"READ DEFECT DATA primary", {0x37, 0, 0x15, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"READ DEFECT DATA grown", {0x37, 0, 0x0D, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"READ DEFECT DATA other format", {0x37, 0, 0x14, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 1, 0x1C},
    {"WRITE BUFFER data", {0x3B, 2, 0, 0, 0, 0, 0, 0x10, 0, 0}, kOut, 4096, true, 0, 0},
    {"WRITE BUFFER download microcode", {0x3B, 5, 0, 0, 0, 0, 0, 0x10, 0, 0}, kOut, 4096, true, 5, 0x24},
    {"WRITE BUFFER beyond the buffer", {0x3B, 2, 0, 0x0F, 0xF0, 0, 0, 0x10, 1, 0}, kOut, 4097, true, 5, 0x24},
    {"READ BUFFER data, whole buffer", {0x3C, 2, 0, 0, 0, 0, 0x10, 0, 0, 0}, kIn, 1048576, true, 0, 0},
    {"READ BUFFER descriptor", {0x3C, 3, 0, 0, 0, 0, 0, 0, 4, 0}, kIn, 4, true, 0, 0},
    {"READ BUFFER other buffer id", {0x3C, 2, 1, 0, 0, 0, 0, 0x10, 0, 0}, kIn, 4096, true, 5, 0x24},
    {"READ BUFFER beyond the buffer", {0x3C, 2, 0, 0, 0, 1, 0x10, 0, 0, 0}, kIn, 1048576, true, 5, 0x24},
    {"READ BUFFER vendor mode", {0x3C, 1, 0, 0, 0, 0, 0, 0x10, 0, 0}, kIn, 4096, true, 5, 0x24},
    {"LOG SENSE supported pages", {0x4D, 0, 0xC0, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"LOG SENSE temperature", {0x4D, 0, 0x4D, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"LOG SENSE missing page", {0x4D, 0, 0x70, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"LOG SENSE save parameters", {0x4D, 1, 0x4D, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"LOG SENSE default cumulative values", {0x4D, 0, 0xC2, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"LOG SENSE threshold values", {0x4D, 0, 0x02, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"MODE SENSE(10) all pages", {0x5A, 0, 0x3F, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"MODE SENSE(10) caching", {0x5A, 0, 0x08, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 0, 0},
    {"MODE SENSE(10) page 00h", {0x5A, 0, 0x00, 0, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"MODE SENSE(10) subpage", {0x5A, 0, 0x08, 1, 0, 0, 0, 1, 0, 0}, kIn, 256, true, 5, 0x24},
    {"unknown opcode START STOP UNIT", {0x1B, 0, 0, 0, 1, 0}, kIn, 0, true, 5, 0x20},
    {"unknown opcode VERIFY(16)", {0x8F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, kIn, 512, true, 5, 0x20},
    {"10-byte opcode in a 6-byte block", {0x28, 0, 0, 0, 0, 0}, kIn, 512, true, 5, 0x24},
    // What the port driver refuses before the device sees it.
    {"READ(10) larger than the buffer", {0x28, 0, 0, 0, 0, 0, 0, 0, 2, 0}, kIn, 512, false, 0, 0},
    {"READ(10) declared data-out", {0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0}, kOut, 512, false, 0, 0},
    {"WRITE(10) declared data-in", {0x2A, 0, 0, 0, 0, 0, 0, 0, 1, 0}, kIn, 512, false, 0, 0},
    {"READ(10) beyond the adapter limit", {0x28, 0, 0, 0, 0, 0, 0, 0x08, 2, 0}, kIn, 1049600, false, 0, 0},
    {"INQUIRY declared data-out", {0x12, 0, 0, 0, 36, 0}, kOut, 36, false, 0, 0},
    {"READ BUFFER larger than the request", {0x3C, 2, 0, 0, 0, 0, 0, 0x20, 0, 0}, kIn, 4096, false, 0, 0},
};

class CommandTable : public ::testing::TestWithParam<Case> {};

TEST_P(CommandTable, AnswersAsARealTargetDoes) {
    const Case& c = GetParam();
    EmulatedPort port;
    port.AddDevice(0, TestDisk(2048));
    RawDevice device(port);
    std::vector<std::uint8_t> data(c.length + 16, 0);
    RawOutcome o = device.SendPrepared({}, c.dataIn, data.data(), c.length, [&](ScsiRequest& r) {
        r.sptd.CdbLength = static_cast<std::uint8_t>(c.cdb.size());
        std::copy(c.cdb.begin(), c.cdb.end(), r.sptd.Cdb);
    });
    ASSERT_EQ(o.ok, c.ok);
    if (!c.ok) return;
    EXPECT_EQ(o.status, c.key ? 0x02 : 0x00);
    EXPECT_EQ(o.key, c.key);
    EXPECT_EQ(o.asc, c.asc);
    EXPECT_EQ(o.ascq, 0);
}

INSTANTIATE_TEST_SUITE_P(Emulator, CommandTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p) {
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             }
                             return name;
                         });

// Requests that no port driver passes on, whatever the command.
TEST(RequestChecks, MalformedRequestsAreRefused) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(2048));
    RawDevice device(port);
    std::vector<std::uint8_t> data(512);
    const std::initializer_list<std::uint8_t> read = {0x28, 0, 0, 0, 0, 0, 0, 0, 1, 0};
    auto refused = [&](auto prepare) {
        return !device.SendPrepared(read, kIn, data.data(), 512, prepare).ok;
    };
    EXPECT_FALSE(refused([](ScsiRequest&) {}));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.Length = 40; }));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.CdbLength = 0; }));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.CdbLength = 17; }));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.DataBuffer = nullptr; }));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.SenseInfoOffset = sizeof(ScsiRequest) - 8; }));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.SenseInfoOffset = 4; }));
    EXPECT_TRUE(refused([](ScsiRequest& r) { r.sptd.DataIn = 3; }));

    // A request shorter than the structure, in or out.
    ScsiRequest r{};
    InitScsiRequest(&r, 10, kIn, data.data(), 512, 2);
    r.sptd.Cdb[0] = 0x28;
    r.sptd.Cdb[8] = 1;
    std::uint32_t returned = 0;
    EXPECT_FALSE(port.Control(device.Handle(), kIoctlScsiPassThroughDirect, &r, 20, &r, sizeof(r), &returned));
    EXPECT_FALSE(port.Control(device.Handle(), kIoctlScsiPassThroughDirect, &r, sizeof(r), &r, 20, &returned));
    EXPECT_FALSE(port.Control(device.Handle(), 0x70000, &r, sizeof(r), &r, sizeof(r), &returned));
}

// The adapter allows MaximumTransferLength bytes in at most MaximumPhysicalPages pages: a
// buffer that straddles one page more than that is refused even within the byte limit.
TEST(RequestChecks, BufferPagesCountAgainstTheAdapterLimit) {
    DeviceConfig config = TestDisk(2048);
    config.maximumTransferLength = 65536;
    config.maximumPhysicalPages = 16;
    EmulatedPort port;
    port.AddDevice(0, config);
    RawDevice device(port);
    std::vector<std::uint8_t> storage(65536 + 8192);
    std::uint8_t* aligned = storage.data() + (4096 - reinterpret_cast<std::uintptr_t>(storage.data()) % 4096);
    const std::initializer_list<std::uint8_t> read128 = {0x28, 0, 0, 0, 0, 0, 0, 0, 128, 0};
    EXPECT_TRUE(device.Send(read128, kIn, aligned, 65536).ok);
    EXPECT_FALSE(device.Send(read128, kIn, aligned + 512, 65536).ok);
    const std::initializer_list<std::uint8_t> read120 = {0x28, 0, 0, 0, 0, 0, 0, 0, 120, 0};
    EXPECT_TRUE(device.Send(read120, kIn, aligned + 512, 61440).ok);
}

}  // namespace
}  // namespace sektra::test
