#include "decode/ModePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "language/ResourceIds.h"
#include "native/decode/DecodeTestSupport.h"

namespace sektra {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Caching page: WCE off, RCD on (read cache disabled), DRA, 8 segments.
const Bytes kCaching = {0x88, 0x12, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                        0x00, 0x00, 0x20, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

Bytes Reply(std::uint8_t deviceSpecific, std::uint8_t longLba, const Bytes& descriptors, const Bytes& pages) {
    Bytes d = {0, 0, 0x00, deviceSpecific, longLba, 0, 0, static_cast<std::uint8_t>(descriptors.size())};
    d.insert(d.end(), descriptors.begin(), descriptors.end());
    d.insert(d.end(), pages.begin(), pages.end());
    d[1] = static_cast<std::uint8_t>(d.size() - 2);
    return d;
}

TEST(ModeDecode, BlockDescriptorsShortAndLong) {
    // Short: 0x00ABCDEF blocks of 0x000200 bytes. Long: 2^33 blocks of 4096 bytes.
    const Bytes shortForm = Reply(0x80, 0, {0x00, 0xAB, 0xCD, 0xEF, 0x00, 0x00, 0x02, 0x00}, kCaching);
    const Bytes longForm = Reply(0x00, 0x01, {0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, 0x00}, kCaching);
    const DecodedFields s = DecodeModeSense10(shortForm.data(), shortForm.size());
    EXPECT_EQ(ValueOf(s, IDS_FIELD_WRITE_PROTECT), L"はい (WP=1)");
    EXPECT_EQ(ValueOf(s, IDS_FIELD_DESCRIPTOR_BLOCKS), L"11259375 ブロック");
    EXPECT_EQ(ValueOf(s, IDS_FIELD_DESCRIPTOR_LENGTH), L"512 バイト");
    const DecodedFields l = DecodeModeSense10(longForm.data(), longForm.size());
    EXPECT_EQ(ValueOf(l, IDS_FIELD_DESCRIPTOR_BLOCKS), L"8589934592 ブロック");
    EXPECT_EQ(ValueOf(l, IDS_FIELD_DESCRIPTOR_LENGTH), L"4096 バイト");
    for (const DecodedFields* f : {&s, &l}) {
        EXPECT_EQ(ValueOf(*f, IDS_FIELD_WCE), L"無効 (WCE=0)");
        EXPECT_EQ(ValueOf(*f, IDS_FIELD_RCD), L"無効 (RCD=1)");
        EXPECT_EQ(ValueOf(*f, IDS_FIELD_DRA), L"無効 (DRA=1)");
        EXPECT_EQ(ValueOf(*f, IDS_FIELD_CACHE_SEGMENTS), L"8");
    }
}

TEST(ModeDecode, LengthsThatReachBeyondTheReply) {
    // Descriptor length past the end: the header alone. Mode data length shorter than what
    // arrived: the page outside it is not read. A page cut after byte 2: WCE and RCD only.
    Bytes farDescriptors = Reply(0, 0, {}, kCaching);
    farDescriptors[7] = 0xF0;
    EXPECT_EQ(LabelsOf(DecodeModeSense10(farDescriptors.data(), farDescriptors.size())),
              (std::vector<unsigned>{IDS_FIELD_WRITE_PROTECT}));
    Bytes shortData = Reply(0, 0, {}, kCaching);
    shortData[1] = 6;
    EXPECT_EQ(LabelsOf(DecodeModeSense10(shortData.data(), shortData.size())), (std::vector<unsigned>{IDS_FIELD_WRITE_PROTECT}));
    const Bytes cut = Reply(0, 0, {}, kCaching);
    EXPECT_EQ(LabelsOf(DecodeModeSense10(cut.data(), 8 + 3)),
              (std::vector<unsigned>{IDS_FIELD_WRITE_PROTECT, IDS_FIELD_WCE, IDS_FIELD_RCD}));
    EXPECT_TRUE(DecodeModeSense10(cut.data(), 7).empty());
}

TEST(ModeDecode, ControlAndInformationalExceptions) {
    // Control: D_SENSE, QAM 1, busy timeout 20 (2 s), self-test 600 s.
    const Bytes control = {0x0A, 0x0A, 0x04, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x14, 0x02, 0x58};
    const DecodedFields c = DecodeModePage(control.data(), control.size());
    EXPECT_EQ(ValueOf(c, IDS_FIELD_D_SENSE), L"記述子形式 (D_SENSE=1)");
    EXPECT_EQ(ValueOf(c, IDS_FIELD_QAM), L"1 (順序を制限しない)");
    EXPECT_EQ(ValueOf(c, IDS_FIELD_BUSY_TIMEOUT), L"2000 ミリ秒");
    EXPECT_EQ(ValueOf(c, IDS_FIELD_SELF_TEST_TIME), L"600 秒");
    // Informational exceptions: DEXCPT set (reporting off), MRIE 4, 3000 units, 5 reports.
    const Bytes ie = {0x1C, 0x0A, 0x08, 0x04, 0x00, 0x00, 0x0B, 0xB8, 0x00, 0x00, 0x00, 0x05};
    const DecodedFields i = DecodeModePage(ie.data(), ie.size());
    EXPECT_EQ(ValueOf(i, IDS_FIELD_DEXCPT), L"無効 (DEXCPT=1)");
    EXPECT_EQ(ValueOf(i, IDS_FIELD_MRIE), L"4 (回復済みエラーとして無条件に報告)");
    EXPECT_EQ(ValueOf(i, IDS_FIELD_IE_INTERVAL), L"300000 ミリ秒");
    EXPECT_EQ(ValueOf(i, IDS_FIELD_IE_REPORT_COUNT), L"5 回");
}

}  // namespace
}  // namespace sektra
