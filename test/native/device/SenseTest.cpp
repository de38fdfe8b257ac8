// Reading sense data in both formats, and judging a command by result, status and sense.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "device/Sense.h"

namespace sektra::test {
namespace {

TEST(ReadSense, FindsKeyAscAscqInEitherFormatWithinTheAvailableBytes) {
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::size_t available;
        int key, asc, ascq;
    };
    // Fixed: 70h, key in byte 2, additional length in byte 7, ASC/ASCQ in bytes 12/13.
    const std::vector<std::uint8_t> fixed = {0x70, 0, 0x03, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x11, 0x04, 0, 0, 0, 0};
    // Descriptor: 72h, key/ASC/ASCQ in bytes 1 to 3, additional length in byte 7.
    const std::vector<std::uint8_t> descriptor = {0x72, 0x07, 0x27, 0x01, 0, 0, 0, 0};
    const Case cases[] = {
        {"fixed", fixed, 18, 3, 0x11, 0x04},
        {"fixed deferred 71h", {0x71, 0, 0x01, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x17, 0x01}, 14, 1, 0x17, 0x01},
        {"fixed, valid bit set", {0xF0, 0, 0x05, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x24, 0x00}, 14, 5, 0x24, 0},
        {"fixed, filemark/EOM/ILI bits are no key", {0x70, 0, 0xE0, 0, 0, 0, 0, 10}, 8, 0, 0, 0},
        {"descriptor", descriptor, 8, 7, 0x27, 0x01},
        {"descriptor deferred 73h", {0x73, 0x04, 0x44, 0x00}, 4, 4, 0x44, 0},
        // A descriptor reply must not be read at the fixed offsets: byte 2 is its ASC.
        {"descriptor, fixed offsets hold junk", {0x72, 0x02, 0x3A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x99, 0x99}, 14, 2, 0x3A, 0},
        // Bounds: fields past the bytes available read 0.
        {"fixed cut after the key", fixed, 12, 3, 0, 0},
        {"fixed cut after ASC", fixed, 13, 3, 0x11, 0},
        {"descriptor cut after the key", descriptor, 2, 7, 0, 0},
        {"nothing available", fixed, 0, 0, 0, 0},
        // The additional length ends the valid bytes before ASC.
        {"fixed, additional length 4", {0x70, 0, 0x06, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0x29, 0x00}, 14, 6, 0, 0},
        // An additional length past the buffer changes nothing: only `available` bytes are read.
        {"fixed, additional length FFh", {0x70, 0, 0x04, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0x44, 0x01}, 14, 4, 0x44, 0x01},
        {"untouched area", std::vector<std::uint8_t>(24, 0), 24, 0, 0, 0},
    };
    for (const Case& c : cases) {
        // Copy into a buffer of exactly `available` bytes, so ASan sees any read beyond it.
        std::vector<std::uint8_t> buffer(c.bytes.begin(), c.bytes.begin() + static_cast<std::ptrdiff_t>(
                                                               std::min(c.available, c.bytes.size())));
        const SenseFields f = ReadSense(buffer.data(), buffer.size());
        EXPECT_EQ(c.key, f.key) << c.what;
        EXPECT_EQ(c.asc, f.asc) << c.what;
        EXPECT_EQ(c.ascq, f.ascq) << c.what;
    }
}

TEST(CleanCommand, OnlyResultZeroStatusGoodAndEmptySenseIsClean) {
    struct Case { const char* what; int result; std::uint8_t status; std::vector<std::uint8_t> sense; bool clean; };
    const Case cases[] = {
        {"good", 0, 0x00, {}, true},
        {"call failed", -1, 0x00, {}, false},
        {"BUSY without sense", 0, 0x08, {}, false},
        {"RESERVATION CONFLICT without sense", 0, 0x18, {}, false},
        {"TASK SET FULL without sense", 0, 0x28, {}, false},
        {"CHECK CONDITION without sense", 0, 0x02, {}, false},
        {"CHECK CONDITION, fixed", 0, 0x02, {0x70, 0, 0x03, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x11, 0}, false},
        {"CHECK CONDITION, descriptor DATA PROTECT", 0, 0x02, {0x72, 0x07, 0x27, 0x00}, false},
        {"RECOVERED ERROR, fixed", 0, 0x02, {0x70, 0, 0x01, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x17, 0x01}, false},
        {"GOOD status but descriptor sense", 0, 0x00, {0x72, 0x01, 0x17, 0x00}, false},
    };
    for (const Case& c : cases) {
        std::uint8_t sense[kSenseAreaSize] = {};
        if (!c.sense.empty()) std::memcpy(sense, c.sense.data(), c.sense.size());
        EXPECT_EQ(c.clean, IsCleanCommand(c.result, c.status, sense)) << c.what;

        ScsiRequest request = {};
        request.sptd.ScsiStatus = c.status;
        request.sptd.SenseInfoLength = kSenseInfoLength;
        std::memcpy(request.sense, sense, sizeof(sense));
        EXPECT_EQ(c.clean, IsCleanRequest(c.result, request)) << c.what;
    }
}

TEST(CleanCommand, WithoutStatusReadsDescriptorSenseToo) {
    std::uint8_t sense[kSenseAreaSize] = {0x72, 0x07, 0x27, 0x00};
    EXPECT_FALSE(IsCleanCommand(0, sense));
}

TEST(CleanRequest, ReadsOnlyTheSenseBytesThePortReported) {
    ScsiRequest request = {};
    request.sense[12] = 0x44;  // left over, outside the bytes the port says it wrote
    request.sense[0] = 0x70;
    request.sense[7] = 10;
    request.sptd.SenseInfoLength = 8;
    EXPECT_TRUE(IsCleanRequest(0, request));
    request.sptd.SenseInfoLength = 0xFF;  // more than the area holds: bounded by the area
    EXPECT_FALSE(IsCleanRequest(0, request));
}

}  // namespace
}  // namespace sektra::test
