#include "app/DecodedRows.h"

#include <gtest/gtest.h>

#include "app/DeviceDetails.h"
#include "language/ResourceIds.h"
#include "native/app/FakeTexts.h"
#include "native/app/OpenedDemoSet.h"

namespace sektra {
namespace {

std::vector<std::wstring> Column(const DetailRows& rows, std::size_t from, bool labels) {
    std::vector<std::wstring> out;
    for (std::size_t i = from; i < rows.size(); ++i) out.push_back(labels ? rows[i].label : rows[i].value);
    return out;
}

TEST(SummaryFields, FollowTheCapacityRowsOfTheScsiDemoDisk) {
    OpenedDemoSet demo;
    const DetailRows rows = DescribeNode(*demo.disks[1], 0x11010000, FakeTexts());
    // 1,234,567 minutes = 20,576 hours; 3 grown defects; the error counters' uncorrected
    // parameter (0006h) is 0 on every page.
    EXPECT_EQ(Column(rows, 9, true), (std::vector<std::wstring>{L"S901", L"S906", L"S904", L"S905", L"S909", L"S917",
                                                                 L"S915", L"S892", L"S893", L"S894", L"S880", L"S891"}));
    EXPECT_EQ(Column(rows, 9, false),
              (std::vector<std::wstring>{L"SKT0000S0002", L"10000 rpm", L"512 バイト", L"512 バイト", L"有効 (WCE=1)",
                                         L"38 °C", L"20576 時間", L"0", L"0", L"0", L"2 %", L"3"}));
    // The 12 TB disk: 512-byte logical blocks in 4096-byte physical ones.
    const DetailRows huge = DescribeNode(*demo.disks[4], 0x11040000, FakeTexts());
    EXPECT_EQ(Column(huge, 11, false)[0], L"4096 バイト");
}

TEST(SummaryFields, MergeKeepsTheEarlierSourcesValue) {
    DecodedFields summary = {{IDS_FIELD_SERIAL, L"FROM-IDENTIFY"}};
    MergeSummaryFields(summary, {{IDS_FIELD_SERIAL, L"FROM-VPD"}, {IDS_FIELD_TEMPERATURE, L"40 °C"}});
    ASSERT_EQ(summary.size(), 2u);
    EXPECT_EQ(summary[0].value, L"FROM-IDENTIFY");
    EXPECT_EQ(summary[1].value, L"40 °C");
}

}  // namespace
}  // namespace sektra
