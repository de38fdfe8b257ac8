// The bytes of the emulated target's replies: identification, capacity, pages with headers
// that agree with their contents, defect lists, sense data, and the medium itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kIn = kScsiIoctlDataIn;

class Replies : public ::testing::Test {
protected:
    Replies() : disk(port.AddDevice(0, TestDisk(2048))), raw(port) {}
    EmulatedPort port;
    EmulatedDevice& disk;
    RawDevice raw;
};

std::string Text(const std::vector<std::uint8_t>& d, std::size_t at, std::size_t count) {
    return std::string(d.begin() + at, d.begin() + at + count);
}

TEST_F(Replies, StandardInquiryCarriesThePaddedIdentification) {
    std::vector<std::uint8_t> d(96, 0xCC);
    ASSERT_EQ(raw.In({0x12, 0, 0, 0, 96, 0}, d).status, 0);
    EXPECT_EQ(d[0], 0x00);
    EXPECT_EQ(d[4], 31);  // 36 bytes in all
    EXPECT_EQ(Text(d, 8, 8), "SEKTRA  ");
    EXPECT_EQ(Text(d, 16, 16), "TEST DISK       ");
    EXPECT_EQ(Text(d, 32, 4), "T1.0");
    EXPECT_EQ(d[36], 0xCC);  // nothing beyond the 36 bytes
}

TEST_F(Replies, AllocationLengthAndBufferBoundTheTransfer) {
    std::vector<std::uint8_t> d(64, 0xCC);
    // Allocation 5 in a 64-byte buffer: 5 bytes.
    ASSERT_TRUE(raw.Send({0x12, 0, 0, 0, 5, 0}, kIn, d.data(), 64).ok);
    EXPECT_EQ(d[4], 31);
    EXPECT_EQ(d[5], 0xCC);
    // Allocation 255 with DataTransferLength 10: 10 bytes.
    std::fill(d.begin(), d.end(), 0xCC);
    ASSERT_TRUE(raw.Send({0x12, 0, 0, 0, 255, 0}, kIn, d.data(), 10).ok);
    EXPECT_EQ(d[9], 'E');
    EXPECT_EQ(d[10], 0xCC);
}

TEST_F(Replies, VitalProductDataPages) {
    std::vector<std::uint8_t> d(255);
    ASSERT_EQ(raw.In({0x12, 1, 0x00, 0, 255, 0}, d).status, 0);
    EXPECT_EQ(d[1], 0x00);
    ASSERT_EQ(d[3], 6);
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + 4, d.begin() + 10),
              (std::vector<std::uint8_t>{0x00, 0x80, 0x83, 0xB0, 0xB1, 0xB2}));

    ASSERT_EQ(raw.In({0x12, 1, 0x80, 0, 255, 0}, d).status, 0);
    EXPECT_EQ(d[1], 0x80);
    ASSERT_EQ(d[3], 12);
    EXPECT_EQ(Text(d, 4, 12), "SKT0000T0001");

    // Device identification: the designators fill the page length exactly.
    ASSERT_EQ(raw.In({0x12, 1, 0x83, 0, 255, 0}, d).status, 0);
    EXPECT_EQ(d[1], 0x83);
    const std::uint32_t length = Be16(&d[2]);
    std::uint32_t at = 4, designators = 0;
    while (at < 4 + length) {
        at += 4 + d[at + 3];
        ++designators;
    }
    EXPECT_EQ(at, 4 + length);
    EXPECT_EQ(designators, 4u);  // T10 vendor, NAA, EUI-64, SCSI name string
    EXPECT_EQ(d[5] & 0x0F, 1);  // T10 vendor identification first
    EXPECT_EQ(Text(d, 8, 8), "SEKTRA  ");
}

TEST(Capacity, ShortFormAndReadCapacity16) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(2048));
    DeviceConfig large = TestDisk(0x200000000ull);
    large.physicalBlockLength = 4096;  // 512e: 8 logical blocks in a physical one
    port.AddDevice(0, large);
    RawDevice small(port, 0, 0), big(port, 0, 1);
    std::vector<std::uint8_t> d(12, 0xCC);
    ASSERT_EQ(small.In({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, d).status, 0);
    EXPECT_EQ(Be32(&d[0]), 2047u);
    EXPECT_EQ(Be32(&d[4]), 512u);
    EXPECT_EQ(d[8], 0xCC);  // 8 bytes only

    ASSERT_EQ(big.In({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, d).status, 0);
    EXPECT_EQ(Be32(&d[0]), 0xFFFFFFFFu);
    d.assign(40, 0xCC);
    ASSERT_EQ(big.In({0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0}, d).status, 0);
    EXPECT_EQ(Be64(&d[0]), 0x1FFFFFFFFull);
    EXPECT_EQ(Be32(&d[8]), 512u);
    EXPECT_EQ(d[13], 3);     // 2^3 logical blocks per physical block
    EXPECT_EQ(d[31], 0);     // the reply is 32 bytes long
    EXPECT_EQ(d[32], 0xCC);
    // The allocation length bounds what moves.
    d.assign(40, 0xCC);
    ASSERT_EQ(big.In({0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 12, 0, 0}, d).status, 0);
    EXPECT_EQ(Be32(&d[8]), 512u);
    EXPECT_EQ(d[12], 0xCC);
}

TEST_F(Replies, LogPagesHaveConsistentParameterHeaders) {
    std::vector<std::uint8_t> d(256);
    ASSERT_EQ(raw.In({0x4D, 0, 0xC0, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(d[0], 0x00);
    ASSERT_EQ(Be16(&d[2]), 10u);
    EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + 4, d.begin() + 14),
              (std::vector<std::uint8_t>{0x00, 0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F}));

    // The self-test page (20 parameters of 20 bytes) needs more than 256 bytes.
    d.resize(1024);
    for (std::uint8_t page : {0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F}) {
        SCOPED_TRACE(page);
        ASSERT_EQ(raw.In({0x4D, 0, static_cast<std::uint8_t>(0x40 | page), 0, 0, 0, 0, 4, 0, 0}, d).status, 0);
        EXPECT_EQ(d[0], page);
        const std::uint32_t length = Be16(&d[2]);
        std::uint32_t at = 4, previousCode = 0, count = 0;
        while (at < 4 + length) {
            const std::uint32_t code = Be16(&d[at]);
            if (count > 0) EXPECT_GT(code, previousCode);  // ascending parameter codes
            previousCode = code;
            at += 4 + d[at + 3];
            ++count;
        }
        EXPECT_EQ(at, 4 + length);
        if (page == 0x10) EXPECT_EQ(count, 20u);
    }
    // Temperature: parameter 0000h, two bytes, the second the degrees.
    ASSERT_EQ(raw.In({0x4D, 0, 0x4D, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(Be16(&d[4]), 0u);
    EXPECT_EQ(d[7], 2);
    EXPECT_EQ(d[9], 38);
    // Default cumulative values (page control 3) are the counters after a reset; the current
    // ones (page control 1) have counted.
    std::vector<std::uint8_t> current(256), defaults(256);
    ASSERT_EQ(raw.In({0x4D, 0, 0x43, 0, 0, 0, 0, 1, 0, 0}, current).status, 0);
    ASSERT_EQ(raw.In({0x4D, 0, 0xC3, 0, 0, 0, 0, 1, 0, 0}, defaults).status, 0);
    EXPECT_EQ(Be32(&current[8]), 11u + 3u);  // parameter 0000h of page 03h
    EXPECT_EQ(Be32(&defaults[8]), 0u);
    EXPECT_EQ(Be16(&defaults[2]), Be16(&current[2]));
    // A parameter pointer skips the parameters before it.
    ASSERT_EQ(raw.In({0x4D, 0, 0x4D, 0, 0, 0, 1, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(Be16(&d[2]), 6u);
    EXPECT_EQ(Be16(&d[4]), 1u);
}

TEST_F(Replies, ModeSenseAllPagesWithBlockDescriptor) {
    std::vector<std::uint8_t> d(256);
    ASSERT_EQ(raw.In({0x5A, 0, 0x3F, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    const std::uint32_t total = Be16(&d[0]) + 2;
    ASSERT_EQ(Be16(&d[6]), 8u);
    EXPECT_EQ(Be32(&d[8]), 2048u);           // blocks
    EXPECT_EQ(Be32(&d[12]) & 0xFFFFFF, 512u);  // block length
    std::vector<std::uint8_t> pages;
    std::uint32_t at = 16;
    while (at < total) {
        pages.push_back(d[at] & 0x3F);
        at += 2 + d[at + 1];
    }
    EXPECT_EQ(at, total);
    EXPECT_EQ(pages, (std::vector<std::uint8_t>{0x01, 0x08, 0x0A, 0x1C}));

    // One page, and no block descriptor when DBD is set.
    ASSERT_EQ(raw.In({0x5A, 0x08, 0x08, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(Be16(&d[6]), 0u);
    EXPECT_EQ(d[8], 0x88);
    EXPECT_EQ(d[9], 0x12);
    EXPECT_EQ(Be16(&d[0]) + 2, 8u + 20u);
}

TEST(ModeSense, LongBlockDescriptorForLargeDisks) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(0x200000000ull));
    RawDevice raw(port);
    std::vector<std::uint8_t> d(256);
    ASSERT_EQ(raw.In({0x5A, 0x10, 0x08, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(d[4] & 1, 1);  // LONGLBA
    ASSERT_EQ(Be16(&d[6]), 16u);
    EXPECT_EQ(Be64(&d[8]), 0x200000000ull);
    EXPECT_EQ(Be32(&d[20]), 512u);
    // Without LLBAA the short descriptor saturates.
    ASSERT_EQ(raw.In({0x5A, 0, 0x08, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    ASSERT_EQ(Be16(&d[6]), 8u);
    EXPECT_EQ(Be32(&d[8]), 0xFFFFFFFFu);
}

TEST_F(Replies, DefectListsInPhysicalSectorFormat) {
    std::vector<std::uint8_t> d(256);
    ASSERT_EQ(raw.In({0x37, 0, 0x15, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(d[1], 0x15);
    ASSERT_EQ(Be16(&d[2]), 8u * 8u);  // 8 primary defects
    std::uint32_t previous = 0;
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t* e = &d[4 + 8 * i];
        const std::uint32_t cylinder = static_cast<std::uint32_t>(e[0] << 16 | e[1] << 8 | e[2]);
        if (i > 0) EXPECT_GT(cylinder, previous);
        previous = cylinder;
        EXPECT_LT(e[3], 8);
    }
    ASSERT_EQ(raw.In({0x37, 0, 0x0D, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(Be16(&d[2]), 2u * 8u);
    ASSERT_EQ(raw.In({0x37, 0, 0x1D, 0, 0, 0, 0, 1, 0, 0}, d).status, 0);
    EXPECT_EQ(Be16(&d[2]), 10u * 8u);
    // Allocation 4: the header alone, telling the full length.
    std::fill(d.begin(), d.end(), 0xCC);
    ASSERT_EQ(raw.In({0x37, 0, 0x15, 0, 0, 0, 0, 0, 4, 0}, d).status, 0);
    EXPECT_EQ(Be16(&d[2]), 64u);
    EXPECT_EQ(d[4], 0xCC);
}

TEST(Defects, ListLengthStopsAt16Bits) {
    DeviceConfig config = TestDisk(2048);
    config.primaryDefects = 9000;
    EmulatedPort port;
    port.AddDevice(0, config);
    RawDevice raw(port);
    std::vector<std::uint8_t> d(65536);
    ASSERT_EQ(raw.Send({0x37, 0, 0x15, 0, 0, 0, 0, 0xFF, 0xFF, 0}, kIn, d.data(), 65535).status, 0);
    EXPECT_EQ(Be16(&d[2]), 8191u * 8u);
}

TEST_F(Replies, SenseDataIsFixedFormat) {
    std::vector<std::uint8_t> d(512);
    RawOutcome o = raw.In({0x28, 0, 0, 0, 0x08, 0, 0, 0, 1, 0}, d);
    ASSERT_TRUE(o.ok);
    EXPECT_EQ(o.status, 0x02);
    EXPECT_EQ(o.request.sense[0], 0x70);
    EXPECT_EQ(o.request.sense[7], 10);
    EXPECT_EQ(o.request.sense[2], 0x05);
    EXPECT_EQ(o.request.sense[12], 0x21);
    // As on Windows, the request comes back with the bytes really moved: none.
    EXPECT_EQ(o.request.sptd.DataTransferLength, 0u);
    EXPECT_EQ(o.request.sptd.SenseInfoLength, kSenseInfoLength);
}

TEST_F(Replies, MediumKeepsWhatWasWrittenAndPatternElsewhere) {
    std::vector<std::uint8_t> out(1024);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(i * 7);
    ASSERT_EQ(raw.Out({0x2A, 0, 0, 0, 0x01, 0x00, 0, 0, 2, 0}, out).status, 0);

    std::vector<std::uint8_t> in(4 * 512);
    ASSERT_EQ(raw.In({0x28, 0, 0, 0, 0x00, 0xFF, 0, 0, 4, 0}, in).status, 0);
    // Block 255 never written: its address big-endian, then E5h.
    EXPECT_EQ(Be64(&in[0]), 255u);
    EXPECT_EQ(in[8], 0xE5);
    EXPECT_EQ(in[511], 0xE5);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), in.begin() + 512));
    EXPECT_EQ(Be64(&in[3 * 512]), 258u);

    EXPECT_TRUE(disk.IsBlockWritten(256));
    EXPECT_FALSE(disk.IsBlockWritten(258));
    // FORMAT UNIT forgets everything.
    std::vector<std::uint8_t> none;
    ASSERT_EQ(raw.Send({0x04, 0, 0, 0, 0, 0}, kScsiIoctlDataOut, nullptr, 0).status, 0);
    EXPECT_FALSE(disk.IsBlockWritten(256));
}

TEST_F(Replies, VerifyWithByteCheckComparesTheMedium) {
    std::vector<std::uint8_t> block(512, 0x11);
    ASSERT_EQ(raw.Out({0x2A, 0, 0, 0, 0, 3, 0, 0, 1, 0}, block).status, 0);
    EXPECT_EQ(raw.Out({0x2F, 2, 0, 0, 0, 3, 0, 0, 1, 0}, block).status, 0);
    block[100] = 0x12;
    RawOutcome o = raw.Out({0x2F, 2, 0, 0, 0, 3, 0, 0, 1, 0}, block);
    EXPECT_EQ(o.key, 0x0E);
    EXPECT_EQ(o.asc, 0x1D);
}

TEST_F(Replies, DriveBufferRoundTrip) {
    std::vector<std::uint8_t> out(4096);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>(i ^ 0x5A);
    ASSERT_EQ(raw.Out({0x3B, 2, 0, 0, 0x10, 0x00, 0, 0x10, 0, 0}, out).status, 0);
    std::vector<std::uint8_t> in(4096);
    ASSERT_EQ(raw.In({0x3C, 2, 0, 0, 0x10, 0x00, 0, 0x10, 0, 0}, in).status, 0);
    EXPECT_EQ(in, out);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), disk.BufferContents().begin() + 4096));

    std::vector<std::uint8_t> descriptor(4);
    ASSERT_EQ(raw.In({0x3C, 3, 0, 0, 0, 0, 0, 0, 4, 0}, descriptor).status, 0);
    EXPECT_EQ(descriptor[0], 0x00);
    EXPECT_EQ(static_cast<std::uint32_t>(descriptor[1] << 16 | descriptor[2] << 8 | descriptor[3]), 1048576u);
}

}  // namespace
}  // namespace sektra::test
