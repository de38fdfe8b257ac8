// SMART attribute and threshold tables laid out by hand, entry by entry.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>

#include "native/decode/DecodeTestSupport.h"
#include "decode/SmartAttributes.h"
#include "language/ResourceIds.h"

namespace sektra {
namespace {

using Table = std::array<std::uint8_t, 512>;

// Entry i starts at byte 2 + 12 i.
void PutEntry(Table& t, int i, std::initializer_list<std::uint8_t> bytes) {
    int at = 2 + 12 * i;
    for (std::uint8_t b : bytes) t[at++] = b;
}

struct Tables {
    Table attributes{};
    Table thresholds{};
    Tables() {
        attributes[0] = 0x10;  // revision 16
        //                      id   flags       cur  worst raw (6 bytes, little-endian)           reserved
        PutEntry(attributes, 0, {5, 0x33, 0x00, 5, 5, 0x2C, 0x01, 0, 0, 0, 0, 0});        // raw 300
        PutEntry(attributes, 1, {9, 0x32, 0x00, 97, 97, 0xD2, 0x04, 0, 0, 0x2A, 0, 0});   // 1234 h, 42 in byte 4
        PutEntry(attributes, 2, {194, 0x22, 0x00, 62, 40, 0x26, 0, 0x15, 0, 0x37, 0, 0}); // 38, min 21, max 55
        PutEntry(attributes, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});                    // unused slot
        PutEntry(attributes, 4, {241, 0x32, 0x00, 99, 99, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0});
        PutEntry(attributes, 5, {200, 0x08, 0x00, 100, 100, 7, 0, 0, 0, 0, 0, 0});        // no common name
        // Thresholds in another order than the attributes.
        PutEntry(thresholds, 0, {194, 0});
        PutEntry(thresholds, 1, {5, 10});
        PutEntry(thresholds, 2, {9, 0});
    }
};

TEST(SmartAttributes, ParsesEntriesAndMatchesThresholdsById) {
    const Tables t;
    const auto list = ParseSmartAttributes(t.attributes.data(), 512, t.thresholds.data(), 512);
    ASSERT_EQ(list.size(), 5u);  // the empty slot is skipped
    EXPECT_EQ(list[0].id, 5);
    EXPECT_EQ(list[0].flags, 0x0033);
    EXPECT_EQ(list[0].threshold, 10);
    EXPECT_EQ(list[0].raw, 300u);
    EXPECT_EQ(list[1].raw, 0x002A000004D2u);
    // 0x060504030201 = 6618611909121
    EXPECT_EQ(list[3].raw, 6618611909121u);
    EXPECT_EQ(list[3].threshold, 0);  // not in the thresholds
}

TEST(SmartAttributes, DecodedValuesAndNames) {
    const Tables t;
    const DecodedFields f = DecodeSmartAttributes(t.attributes.data(), 512, t.thresholds.data(), 512);
    EXPECT_EQ(ValueOf(f, IDS_FIELD_SMART_REVISION), L"16");
    // current 5 is at or below threshold 10: failing
    EXPECT_EQ(ValueOf(f, IDS_SMART_REALLOCATED), L"300 (しきい値以下)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_POWER_ON_HOURS), L"1234 時間");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_TEMPERATURE), L"38 °C");
    EXPECT_EQ(ValueOf(f, IDS_SMART_LBAS_WRITTEN), L"6618611909121");
    EXPECT_EQ(ValueOf(f, IDS_SMART_UNKNOWN), L"7");
    const auto list = ParseSmartAttributes(t.attributes.data(), 512, t.thresholds.data(), 512);
    EXPECT_EQ(SmartAttributeDetail(list[2]), L"ID 194, 現在 62, 最悪 40, しきい値 0, 生値 003700150026h, フラグ 0022h");
}

TEST(SmartAttributes, ShortOrMissingTables) {
    const Tables t;
    // 2 + 12 x 2 + 11 bytes: two whole entries, the third cut.
    EXPECT_EQ(ParseSmartAttributes(t.attributes.data(), 37, t.thresholds.data(), 512).size(), 2u);
    // Thresholds cut inside the second entry: the id there is not read.
    const auto cut = ParseSmartAttributes(t.attributes.data(), 512, t.thresholds.data(), 15);
    EXPECT_EQ(cut[0].threshold, 0);
    const auto none = ParseSmartAttributes(t.attributes.data(), 512, nullptr, 512);
    EXPECT_EQ(none[0].threshold, 0);
    EXPECT_TRUE(DecodeSmartAttributes(t.attributes.data(), 1, nullptr, 0).empty());
    EXPECT_TRUE(DecodeSmartAttributes(nullptr, 512, nullptr, 0).empty());
}

}  // namespace
}  // namespace sektra
