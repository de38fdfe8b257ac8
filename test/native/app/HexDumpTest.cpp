#include "app/HexDump.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

TEST(HexDump, TenBytesMakeTwoRowsThePartialOnePaddedWithBlanks) {
    const std::uint8_t data[10] = {0x00, 0x41, 0x7E, 0x7F, 0x20, 0x1F, 0xFF, 0x61, 0xAB, 0x5A};
    DetailRows rows;
    AppendHexDump(rows, L"Title", data, sizeof data);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].label, L"Title");
    EXPECT_EQ(rows[0].value, L"00 41 7E 7F  20 1F FF 61");
    EXPECT_EQ(rows[0].remark, L".A~. ..a");
    EXPECT_EQ(rows[1].label, L"");
    EXPECT_EQ(rows[1].value, L"AB 5A                   ");
    EXPECT_EQ(rows[1].remark, L".Z      ");
    for (const DetailRow& row : rows) {
        EXPECT_EQ(row.value.size(), 24u);
        EXPECT_EQ(row.remark.size(), 8u);
        EXPECT_EQ(row.code, 0u);
    }
}

TEST(HexDump, RowCountFollowsTheLength) {
    std::uint8_t data[17] = {};
    for (std::size_t length : {0u, 1u, 8u, 9u, 16u, 17u}) {
        DetailRows rows;
        AppendHexDump(rows, L"T", data, length);
        EXPECT_EQ(rows.size(), length == 0 ? 1u : (length + 7) / 8) << length;
        EXPECT_EQ(rows[0].label, L"T");
    }
    DetailRows empty;
    AppendHexDump(empty, L"T", nullptr, 0);
    EXPECT_EQ(empty[0].value, std::wstring(24, L' '));
}

}  // namespace
}  // namespace sektra
