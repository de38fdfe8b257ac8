#include "decode/Inquiry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "language/ResourceIds.h"
#include "native/decode/DecodeTestSupport.h"

namespace sektra {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A 36-byte standard reply: removable CD/DVD device, SPC-4, CmdQue, texts padded with blanks.
Bytes Standard() {
    Bytes d = {0x05, 0x80, 0x06, 0x12, 31, 0x00, 0x00, 0x02};
    for (char c : std::string("VENDOR  PRODUCT NAME    R1.0")) d.push_back(static_cast<std::uint8_t>(c));
    return d;
}

TEST(InquiryDecode, StandardDataFields) {
    const Bytes d = Standard();
    const DecodedFields f = DecodeStandardInquiry(d.data(), d.size());
    EXPECT_EQ(ValueOf(f, IDS_FIELD_PERIPHERAL_TYPE), L"5 (CD/DVD デバイス)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_REMOVABLE), L"はい (RMB=1)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_VERSION), L"6 (SPC-4)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_RESPONSE_FORMAT), L"2");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_CMDQUE), L"はい (CmdQue=1)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_VENDOR), L"VENDOR");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_PRODUCT), L"PRODUCT NAME");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_PRODUCT_REVISION), L"R1.0");
}

// Text fields are shown only when the bytes that arrived, and the reply's own additional
// length, hold all of them.
TEST(InquiryDecode, StandardDataBoundedByArrivalAndOwnLength) {
    struct Case {
        const char* name;
        std::size_t arrived;
        std::uint8_t additionalLength;
        bool vendor, product, revision;
    } const cases[] = {
        {"whole", 36, 31, true, true, true},
        {"cut inside the product", 30, 31, true, false, false},
        {"own length ends after the vendor", 36, 11, true, false, false},
        {"header only", 5, 31, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes d = Standard();
        d[4] = c.additionalLength;
        const DecodedFields f = DecodeStandardInquiry(d.data(), c.arrived);
        EXPECT_EQ(ValueOf(f, IDS_FIELD_VENDOR) != L"(absent)", c.vendor);
        EXPECT_EQ(ValueOf(f, IDS_FIELD_PRODUCT) != L"(absent)", c.product);
        EXPECT_EQ(ValueOf(f, IDS_FIELD_PRODUCT_REVISION) != L"(absent)", c.revision);
    }
    EXPECT_TRUE(DecodeStandardInquiry(nullptr, 36).empty());
    EXPECT_TRUE(DecodeStandardInquiry(Standard().data(), 4).empty());
}

TEST(InquiryDecode, IdentificationDescriptorsInOrderAndACutOneDropped) {
    const Bytes d = {
        0x00, 0x83, 0x00, 0x24,                                      // page length 36
        0x01, 0x03, 0x00, 0x08, 0x50, 0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD,  // NAA, LU, binary
        0x61, 0x94, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01,              // relative target port (type 4), port
        0x03, 0xA8, 0x00, 0x08, 'i', 'q', 'n', '.', 'x', 0, 0, 0,    // SCSI name, target device, UTF-8
        0x01, 0x02, 0x00, 0x08, 0x11, 0x22,                          // EUI-64 cut by the page end
    };
    const DecodedFields f = DecodeVpdPage(d.data(), d.size());
    ASSERT_EQ(LabelsOf(f), (std::vector<unsigned>{IDS_FIELD_ID_NAA, IDS_FIELD_ID_OTHER, IDS_FIELD_ID_NAME}));
    EXPECT_EQ(f[0].value, L"500123456789ABCD (論理ユニット, バイナリ)");
    EXPECT_EQ(f[1].value, L"タイプ 4: 00000001 (ターゲット ポート, バイナリ)");
    EXPECT_EQ(f[2].value, L"iqn.x (ターゲット デバイス, UTF-8)");
}

TEST(InquiryDecode, BlockLimitsOnlyWhereThePageReaches) {
    // A short (SPC-3 era) page of 12 bytes after the header: granularity 8, maximum 65535
    // blocks, optimal 128; nothing about UNMAP or WRITE SAME.
    const Bytes d = {0x00, 0xB0, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x08,
                     0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80};
    const DecodedFields f = DecodeVpdPage(d.data(), d.size());
    EXPECT_EQ(LabelsOf(f), (std::vector<unsigned>{IDS_FIELD_MAX_TRANSFER, IDS_FIELD_OPTIMAL_TRANSFER, IDS_FIELD_TRANSFER_GRANULARITY}));
    EXPECT_EQ(ValueOf(f, IDS_FIELD_MAX_TRANSFER), L"65535 ブロック");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_OPTIMAL_TRANSFER), L"128 ブロック");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_TRANSFER_GRANULARITY), L"8 ブロック");
}

TEST(InquiryDecode, RotationRateAndFormFactor) {
    struct Case {
        std::uint16_t rate;
        std::uint8_t factor;
        const wchar_t* rateText;
        const wchar_t* factorText;
    } const cases[] = {
        {0x0000, 0x00, L"0 (報告なし)", L"0 (報告なし)"},
        {0x0001, 0x03, L"1 (非回転メディア、SSD)", L"3 (2.5 インチ)"},
        {7200, 0x02, L"7200 rpm", L"2 (3.5 インチ)"},
        {0x0400, 0xF5, L"1024 (予約)", L"5 (1.8 インチ未満)"},  // below 401h is reserved; high bits are others
    };
    for (const Case& c : cases) {
        const Bytes d = {0x00, 0xB1, 0x00, 0x3C, static_cast<std::uint8_t>(c.rate >> 8), static_cast<std::uint8_t>(c.rate), 0x00, c.factor};
        const DecodedFields f = DecodeVpdPage(d.data(), d.size());  // the page claims 60 bytes; 8 arrived
        EXPECT_EQ(ValueOf(f, IDS_FIELD_ROTATION), c.rateText);
        EXPECT_EQ(ValueOf(f, IDS_FIELD_FORM_FACTOR), c.factorText);
    }
}

TEST(InquiryDecode, ProvisioningAndSerial) {
    const Bytes thin = {0x00, 0xB2, 0x00, 0x04, 0x00, 0xC0, 0x02, 0x00};
    const DecodedFields f = DecodeVpdPage(thin.data(), thin.size());
    EXPECT_EQ(ValueOf(f, IDS_FIELD_LBPU), L"対応 (LBPU=1)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_LBPWS10), L"非対応 (LBPWS10=0)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_PROVISIONING), L"2 (シン プロビジョニング)");
    // The serial number stops at the page length, not at the buffer's end, and loses the
    // blanks that pad it on either side.
    const Bytes serial = {0x00, 0x80, 0x00, 0x05, ' ', 'A', 'B', 'C', ' ', 'X', 'Y'};
    EXPECT_EQ(ValueOf(DecodeVpdPage(serial.data(), serial.size()), IDS_FIELD_SERIAL), L"ABC");
}

}  // namespace
}  // namespace sektra
