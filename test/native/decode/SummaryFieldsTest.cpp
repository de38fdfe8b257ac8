#include "app/DecodedRows.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(SummaryFields, SataAndNvmeDisksAddTheirHealthFields) {
    OpenedDemoSet demo;
    // The SATA disk: IDENTIFY's serial wins over the translated VPD 80h, then SMART's figures
    // (attribute 194 at 38 °C, 9 at 1234 hours, 12 at 567 cycles), then what the translated
    // pages add that IDENTIFY and SMART did not.
    const DetailRows sata = DescribeNode(*demo.disks[8], DeviceCode(kGroupDisk, 11, 8), FakeTexts());
    std::vector<std::wstring> labels = Column(sata, 9, true);
    std::vector<std::wstring> values = Column(sata, 9, false);
    ASSERT_GE(labels.size(), 9u);
    EXPECT_EQ(labels[0], L"S901");
    EXPECT_EQ(std::count(labels.begin(), labels.end(), L"S901"), 1);
    const auto valueOf = [&](const std::wstring& label) {
        const auto at = std::find(labels.begin(), labels.end(), label);
        return at == labels.end() ? std::wstring(L"(none)") : values[static_cast<std::size_t>(at - labels.begin())];
    };
    EXPECT_EQ(valueOf(L"S905"), L"4096 バイト");
    EXPECT_EQ(valueOf(L"S917"), L"38 °C");
    EXPECT_EQ(valueOf(L"S915"), L"1234 時間");
    EXPECT_EQ(valueOf(L"S916"), L"567");
    EXPECT_EQ(valueOf(L"S900"), L"(none)");  // the model stays in the summary's own rows

    // The NVMe disk: 314 K = 41 °C, 100 % spare, 3 % used, 4321 hours, 12 unsafe shutdowns.
    const DetailRows nvme = DescribeNode(*demo.disks[9], DeviceCode(kGroupDisk, 17, 9), FakeTexts());
    labels = Column(nvme, 9, true);
    values = Column(nvme, 9, false);
    EXPECT_EQ(valueOf(L"S917"), L"41 °C (314 K)");
    EXPECT_EQ(valueOf(L"S962"), L"100 %");
    EXPECT_EQ(valueOf(L"S964"), L"3 %");
    EXPECT_EQ(valueOf(L"S915"), L"4321 時間");
    EXPECT_EQ(valueOf(L"S967"), L"12 回");
    EXPECT_EQ(valueOf(L"S903"), L"(none)");
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
