// The result file's latency section: its figures and buckets from a histogram worked out by
// hand, its labels from the language texts, and the lines before it left exactly as they were.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/LatencyHistogram.h"
#include "language/ResourceIds.h"
#include "testwindows/BuiltInTexts.h"
#include "testwindows/CsvTables.h"

namespace sektra {
namespace {

CsvLatencyLabels Labels() {
    return {L"H", L"C", L"I", L"W", L"Mean", L"Min", L"P50", L"P90", L"P99", L"P999", L"P9999", L"Max", L"B", L"N"};
}

TEST(CsvLatencyTest, MicrosecondsWithThreeExactDecimals) {
    EXPECT_EQ(MicrosecondsText(0), L"0.000");
    EXPECT_EQ(MicrosecondsText(999), L"0.999");
    EXPECT_EQ(MicrosecondsText(1000), L"1.000");
    EXPECT_EQ(MicrosecondsText(1234567), L"1234.567");
    EXPECT_EQ(MicrosecondsText(18446744073709551615ull), L"18446744073709551.615");
}

TEST(CsvLatencyTest, FiguresThenTheBucketsThatCounted) {
    // A 10 MHz clock (100 ns a tick). Three commands of 1000 ticks and one of 1003 share the
    // bucket [1000, 1003]; one of 50000 lies in [49920, 50175] (2^15 + 67 × 2^8). 54003 ticks in
    // all, over a wall time of 60000 ticks.
    LatencyHistogram h;
    for (std::uint64_t ticks : {1000u, 1000u, 1003u, 1000u, 50000u}) h.Add(ticks);
    CsvFile csv;
    WriteLatencySection(csv, Labels(), h, 10000000, 60000);
    const std::vector<std::wstring> expected = {
        L"",
        L"H,",
        L"C,5,",
        L"I,925,",                       // 5 × 10^7 ÷ 54003 = 925.9
        L"W,833,",                       // 5 × 10^7 ÷ 60000 = 833.3
        L"Mean,1080.060,\u03BCs,",       // 54003 ticks ÷ 5 = 10800.6 ticks
        L"Min,100.000,\u03BCs,",
        L"P50,100.000,\u03BCs,",         // rank 3: the bucket from 1000
        L"P90,4992.000,\u03BCs,",        // rank 5: the bucket from 49920
        L"P99,4992.000,\u03BCs,",
        L"P999,4992.000,\u03BCs,",
        L"P9999,4992.000,\u03BCs,",
        L"Max,5000.000,\u03BCs,",        // the exact maximum
        L"",
        L"B,N,",
        L"100.000 - 100.400,4,",
        L"4992.000 - 5017.600,1,",
    };
    EXPECT_EQ(csv.ToLines(), expected);
}

TEST(CsvLatencyTest, EmptyRecordAndTheOpenLastBucket) {
    CsvFile empty;
    WriteLatencySection(empty, Labels(), LatencyHistogram(), 10000000, 0);
    const std::vector<std::wstring> lines = empty.ToLines();
    ASSERT_EQ(lines.size(), 15u);  // no bucket rows
    EXPECT_EQ(lines[2], L"C,0,");
    EXPECT_EQ(lines[3], L"I,0,");
    EXPECT_EQ(lines[12], L"Max,0.000,\u03BCs,");

    // The last bucket starts at 255 × 2^56 ticks and has no end; a 1 GHz clock makes ticks ns.
    LatencyHistogram h;
    h.Add(~std::uint64_t{0});
    CsvFile csv;
    WriteLatencySection(csv, Labels(), h, 1000000000, 0);
    EXPECT_EQ(csv.ToLines().back(), L"18374686479671623.680 -,1,");
}

TEST(CsvLatencyTest, AppendedAfterTheTablesLeavingThemAsTheyWere) {
    CsvFile before, after;
    CsvSummary summary;
    summary.title = L"Random Read Test(4.0KB A)";
    summary.count = 3;
    const CsvLabels labels = {L"M", L"R", L"T", L"Best", L"Avg", L"Worst", L"Count", L"Range", L"S", L"L"};
    WriteCommonRows(before, labels, summary);
    WriteCommonRows(after, labels, summary);
    LatencyHistogram h;
    h.Add(5);
    WriteLatencySection(after, Labels(), h, 1000, 5);
    const std::vector<std::wstring> old = before.ToLines(), now = after.ToLines();
    ASSERT_EQ(now.size(), old.size() + 16);
    EXPECT_EQ(std::vector<std::wstring>(now.begin(), now.begin() + static_cast<std::ptrdiff_t>(old.size())), old);
}

TEST(CsvLatencyTest, LabelsComeFromStrings120To133) {
    const CsvLatencyLabels labels = BuiltInCsvLatencyLabels();
    EXPECT_EQ(labels.heading, L"\u30EC\u30A4\u30C6\u30F3\u30B7");  // レイテンシ
    EXPECT_EQ(labels.p999, L"99.9 \u30D1\u30FC\u30BB\u30F3\u30BF\u30A4\u30EB");  // 99.9 パーセンタイル
    EXPECT_EQ(labels.bucket, L"\u533A\u9593 (\u03BCs)");  // 区間 (μs)
    std::vector<std::uint32_t> asked;
    LatencyLabels([&](std::uint32_t id) {
        asked.push_back(id);
        return std::wstring();
    });
    std::vector<std::uint32_t> expected;
    for (std::uint32_t id = IDS_CSV_LATENCY; id <= IDS_CSV_BUCKET_COUNT; ++id) expected.push_back(id);
    EXPECT_EQ(asked, expected);
    EXPECT_EQ(IDS_CSV_LATENCY, 120);
    EXPECT_EQ(IDS_CSV_BUCKET_COUNT, 133);
}

}  // namespace
}  // namespace sektra
