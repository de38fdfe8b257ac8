#include "decode/LogPages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "language/ResourceIds.h"
#include "native/decode/DecodeTestSupport.h"

namespace sektra {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Page(std::uint8_t page, const Bytes& parameters) {
    Bytes d = {page, 0, static_cast<std::uint8_t>(parameters.size() >> 8), static_cast<std::uint8_t>(parameters.size())};
    d.insert(d.end(), parameters.begin(), parameters.end());
    return d;
}

TEST(LogDecode, ErrorCountersUpToTheCutParameter) {
    // 0000h = 7 (2 bytes), 0005h = 2^40 bytes (8 bytes), 0006h = 1 (4 bytes), cut after 2.
    const Bytes d = Page(0x03, {0x00, 0x00, 0x00, 0x02, 0x00, 0x07,
                                0x00, 0x05, 0x00, 0x08, 0, 0, 0x01, 0, 0, 0, 0, 0,
                                0x00, 0x06, 0x00, 0x04, 0, 0, 0, 1});
    const DecodedFields whole = DecodeLogPage(d.data(), d.size());
    EXPECT_EQ(ValueOf(whole, IDS_FIELD_CORRECTED_FAST), L"7");
    EXPECT_EQ(ValueOf(whole, IDS_FIELD_BYTES_PROCESSED), L"1099511627776 バイト");
    EXPECT_EQ(ValueOf(whole, IDS_FIELD_UNCORRECTED), L"1");
    const DecodedFields cut = DecodeLogPage(d.data(), d.size() - 2);
    EXPECT_EQ(LabelsOf(cut), (std::vector<unsigned>{IDS_FIELD_CORRECTED_FAST, IDS_FIELD_BYTES_PROCESSED}));
}

TEST(LogDecode, TemperatureStartStopAndMedia) {
    const Bytes temperature = Page(0x0D, {0x00, 0x00, 0x03, 0x02, 0x00, 0xFF, 0x00, 0x01, 0x03, 0x02, 0x00, 0x46});
    const DecodedFields t = DecodeLogPage(temperature.data(), temperature.size());
    EXPECT_EQ(ValueOf(t, IDS_FIELD_TEMPERATURE), L"255 (不明)");
    EXPECT_EQ(ValueOf(t, IDS_FIELD_REFERENCE_TEMPERATURE), L"70 °C");
    const Bytes cycles = Page(0x0E, {0x00, 0x01, 0x01, 0x06, '2', '0', '1', '9', '4', '7',
                                     0x00, 0x04, 0x03, 0x04, 0x00, 0x01, 0x00, 0x00});
    const DecodedFields c = DecodeLogPage(cycles.data(), cycles.size());
    EXPECT_EQ(ValueOf(c, IDS_FIELD_MANUFACTURED), L"2019 年 第 47 週");
    EXPECT_EQ(ValueOf(c, IDS_FIELD_START_STOP_CYCLES), L"65536 回");
    const Bytes media = Page(0x11, {0x00, 0x01, 0x03, 0x04, 0x00, 0x00, 0x00, 0x11});
    EXPECT_EQ(ValueOf(DecodeLogPage(media.data(), media.size()), IDS_FIELD_PERCENT_USED), L"17 %");
}

TEST(LogDecode, SelfTestsScanAndExceptions) {
    // Entry 1: failed extended foreground test (code 6, result 7) at 1000 hours, LBA 4660;
    // entry 2 all zero (unused).
    Bytes tests = {0x00, 0x01, 0x03, 0x10, 0xC7, 0x01, 0x03, 0xE8, 0, 0, 0, 0, 0, 0, 0x12, 0x34, 0x03, 0x11, 0x00, 0x00};
    tests.insert(tests.end(), {0x00, 0x02, 0x03, 0x10});
    tests.resize(tests.size() + 16, 0);
    const DecodedFields s = DecodeLogPage(Page(0x10, tests).data(), 4 + tests.size());
    ASSERT_EQ(s.size(), 1u);
    EXPECT_EQ(s[0].value, L"#1 フォアグラウンド拡張 (コード 6): 失敗 (その他のセグメント) (結果 7), 1000 時間, LBA 4660");
    // Background scan: 6000 minutes, scanning (1), progress 8000h = 50.00 %.
    const Bytes scan = Page(0x15, {0x00, 0x00, 0x03, 0x0C, 0, 0, 0x17, 0x70, 0, 1, 0, 3, 0x80, 0x00, 0, 2});
    const DecodedFields b = DecodeLogPage(scan.data(), scan.size());
    EXPECT_EQ(ValueOf(b, IDS_FIELD_POWER_ON_MINUTES), L"6000 分");
    EXPECT_EQ(ValueOf(b, IDS_FIELD_SCAN_STATUS), L"1 (メディア スキャン中)");
    EXPECT_EQ(ValueOf(b, IDS_FIELD_SCAN_PROGRESS), L"50.00 %");
    const Bytes ie = Page(0x2F, {0x00, 0x00, 0x03, 0x03, 0x5D, 0x10, 0x2A});
    const DecodedFields e = DecodeLogPage(ie.data(), ie.size());
    EXPECT_EQ(ValueOf(e, IDS_FIELD_IE_ASC), L"5Dh/10h");
    EXPECT_EQ(ValueOf(e, IDS_FIELD_IE_TEMPERATURE), L"42 °C");
    // A page claiming more than arrived, and nothing at all.
    EXPECT_TRUE(DecodeLogPage(ie.data(), 3).empty());
    EXPECT_TRUE(DecodeLogPage(nullptr, 0).empty());
}

}  // namespace
}  // namespace sektra
