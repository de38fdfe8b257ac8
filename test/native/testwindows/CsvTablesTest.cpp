// The tables a test window saves: every label format, the head of each file, the one-column
// tables of the random, cache and seek tests, and the shape and contents of a sequential file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/SampleTable.h"
#include "engine/TestThread.h"
#include "testwindows/CsvTables.h"
#include "testwindows/TestTitles.h"

namespace sektra {
namespace {

CsvLabels Labels() {
    return {L"M", L"R", L"T", L"Best", L"Avg", L"Worst", L"Count", L"Range", L"Shortest", L"Longest"};
}

// The cells of a line as written (none of these cells holds a comma or a quote).
std::vector<std::wstring> Cells(const std::wstring& line) {
    std::vector<std::wstring> cells;
    std::size_t start = 0;
    for (std::size_t comma; (comma = line.find(L',', start)) != std::wstring::npos; start = comma + 1) {
        cells.push_back(line.substr(start, comma - start));
    }
    EXPECT_EQ(start, line.size()) << "every cell ends with a comma";
    return cells;
}

struct LabelCase {
    std::wstring actual;
    std::wstring expected;
};

TEST(CsvTablesTest, LabelFormats) {
    const LabelCase cases[] = {
        {SequentialRateLabel(0), L"100.0 MB/s -"},
        {SequentialRateLabel(1), L"99.5 MB/s - 100.0 MB/s"},
        {SequentialRateLabel(37), L"81.5 MB/s - 82.0 MB/s"},
        {SequentialRateLabel(200), L"0.0 MB/s - 0.5 MB/s"},
        {RandomRateLabel(0), L"100.000 MB/s -"},
        {RandomRateLabel(1), L"99.875 MB/s - 100.000 MB/s"},
        {RandomRateLabel(3), L"99.625 MB/s - 99.750 MB/s"},
        {RandomRateLabel(800), L"0.000 MB/s - 0.125 MB/s"},
        {CacheRateLabel(0, 201), L"100.0 MB/s -"},
        {CacheRateLabel(1, 201), L"99.5 MB/s - 100.0 MB/s"},
        {CacheRateLabel(200, 201), L"0.0 MB/s - 0.5 MB/s"},
        {CacheRateLabel(0, 10), L"4.5 MB/s -"},
        {CacheRateLabel(9, 10), L"0.0 MB/s - 0.5 MB/s"},
        {SeekTimeLabel(0, 201), L"20000.0 \u03BCs -"},
        {SeekTimeLabel(1, 201), L"19900.0 \u03BCs - 20000.0 \u03BCs"},
        {SeekTimeLabel(200, 201), L"0.0 \u03BCs - 100.0 \u03BCs"},
        {SeekTimeLabel(0, 1), L"0.0 \u03BCs -"},
        {ProgressLabel(0), L"0.0 % - 0.1 %"},
        {ProgressLabel(457), L"45.7 % - 45.8 %"},
        {ProgressLabel(999), L"99.9 % - 100.0 %"},
        {PositionLabel(0, 1048576), L"0.000 MB - 1.000 MB"},
        {PositionLabel(3, 524288), L"1.500 MB - 2.000 MB"},
        {PositionLabel(1, 1024), L"0.001 MB - 0.002 MB"},
        // 2^21 blocks of 4096 bytes: 8 GiB a column, beyond 32 bits.
        {PositionLabel(2, std::uint64_t{1} << 33), L"16384.000 MB - 24576.000 MB"},
    };
    for (const LabelCase& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(CsvTablesTest, CommonRowsWithEmptyFourthAndNinthLine) {
    CsvFile csv;
    CsvSummary summary;
    summary.model = L"SEKTRA DEMO";
    summary.revision = L"1.00";
    summary.title = L"Seq. Read Test(64.0KB A (0% - 100%)) - ";
    summary.best = 51200;
    summary.average = 40000;
    summary.worst = 4294967295u;
    summary.count = 5000000000ull;
    WriteCommonRows(csv, Labels(), summary);
    const std::vector<std::wstring> expected = {
        L"M,SEKTRA DEMO,",
        L"R,1.00,",
        L"T,Seq. Read Test(64.0KB A (0% - 100%)),",
        L"",
        L"Best,51200,KB/s,",
        L"Avg,40000,KB/s,",
        L"Worst,4294967295,KB/s,",
        L"Count,5000000000,",
        L"",
    };
    EXPECT_EQ(csv.ToLines(), expected);
}

TEST(CsvTablesTest, AccessTimeFileSaysAccessTime) {
    CsvFile csv;
    CsvSummary summary;
    summary.title = SeekTitle(L"A", true);
    WriteCommonRows(csv, Labels(), summary);
    EXPECT_EQ(csv.ToLines()[2], L"T,Access Time Test(A),");
}

// Seek and access times come shortest first: labelled so, in µs, never as best and worst.
TEST(CsvTablesTest, TimeFiguresAreShortestAverageLongestInMicroseconds) {
    TestSnapshot snapshot = {};
    snapshot.words[4] = 1000;
    snapshot.words[6] = 120;   // shortest
    snapshot.words[7] = 8300;  // average
    snapshot.words[8] = 17000; // longest
    CsvFile csv;
    WriteCommonRows(csv, Labels(), ResultSummary(L"M", L"R", L"Seek Test(A) - ", snapshot, true));
    const std::vector<std::wstring> lines = csv.ToLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[4], L"Shortest,120,\u03BCs,");
    EXPECT_EQ(lines[5], L"Avg,8300,\u03BCs,");
    EXPECT_EQ(lines[6], L"Longest,17000,\u03BCs,");
    EXPECT_EQ(lines[7], L"Count,1000,");
}

struct OneColumnCase {
    HistogramKind kind;
    std::uint32_t cells;
    std::wstring firstLabel;
    std::wstring lastLabel;
};

TEST(CsvTablesTest, OneColumnTablesListFiguresThenEveryCell) {
    const OneColumnCase cases[] = {
        {HistogramKind::Random, 801, L"100.000 MB/s -", L"0.000 MB/s - 0.125 MB/s"},
        {HistogramKind::Cache, 201, L"100.0 MB/s -", L"0.0 MB/s - 0.5 MB/s"},
        {HistogramKind::Cache, 4, L"1.5 MB/s -", L"0.0 MB/s - 0.5 MB/s"},
        {HistogramKind::Seek, 201, L"20000.0 \u03BCs -", L"0.0 \u03BCs - 100.0 \u03BCs"},
    };
    for (const OneColumnCase& c : cases) {
        SampleTable table(c.cells);
        table.Reset(0xFFFFFFFFu);
        table.Set(0, 0, 700);
        table.Set(1, 0, 600);
        table.Set(2, 0, 500);
        table.Set(3, 0, 3);
        table.Set(4, 0, 2);                // the top cell
        table.Set(4 + c.cells - 1, 0, 1);  // the bottom cell
        CsvFile csv;
        WriteSampleTable(csv, Labels(), table, c.kind);
        const std::vector<std::wstring> lines = csv.ToLines();
        ASSERT_EQ(lines.size(), 4 + c.cells);
        if (c.kind == HistogramKind::Seek) {
            EXPECT_EQ(lines[0], L"Shortest,700,\u03BCs,");
            EXPECT_EQ(lines[1], L"Avg,600,\u03BCs,");
            EXPECT_EQ(lines[2], L"Longest,500,\u03BCs,");
        } else {
            EXPECT_EQ(lines[0], L"Best,700,KB/s,");
            EXPECT_EQ(lines[1], L"Avg,600,KB/s,");
            EXPECT_EQ(lines[2], L"Worst,500,KB/s,");
        }
        EXPECT_EQ(lines[3], L"Count,3,");
        EXPECT_EQ(lines[4], c.firstLabel + L",2,");
        EXPECT_EQ(lines.back(), c.lastLabel + L",1,");
        if (c.cells > 2) {
            EXPECT_EQ(Cells(lines[5])[1], L"0");
        }
    }
}

TEST(CsvTablesTest, UnallocatedTableWritesItsFiguresAsZeroAndNoCells) {
    SampleTable table(SampleTable::kMaxHistogramCells + 1);
    ASSERT_FALSE(table.IsAllocated());
    CsvFile csv;
    WriteSampleTable(csv, Labels(), table, HistogramKind::Seek);
    EXPECT_EQ(csv.ToLines(), (std::vector<std::wstring>{L"Shortest,0,\u03BCs,", L"Avg,0,\u03BCs,", L"Longest,0,\u03BCs,", L"Count,0,"}));
}

// A sequential run as the thread leaves it: untouched columns hold a worst of 4294967295 and
// zeros elsewhere.
class SequentialFileTest : public ::testing::Test {
protected:
    static constexpr std::uint32_t kPoints = 2049;

    SequentialFileTest() : progress(201, 1000), position(201, kPoints) {
        progress.Reset(0xFFFFFFFFu);
        position.Reset(0xFFFFFFFFu);
        // Column 0: one sample of 51200 KB/s (50 MB/s: cell 100 counted from the top).
        progress.Set(0, 0, 51200);
        progress.Set(1, 0, 51200);
        progress.Set(2, 0, 51200);
        progress.Set(3, 0, 1);
        progress.Set(4 + 100, 0, 1);
        progress.Set(1, 999, 12345);
        position.Set(0, kPoints - 1, 777);
    }

    std::vector<std::wstring> Write(std::uint64_t positionStep, std::uint32_t blockLength, std::uint64_t firstLba = 0) {
        CsvFile csv;
        WriteCommonRows(csv, Labels(), CsvSummary{});
        WriteSequentialTables(csv, Labels(), progress, position, kPoints, positionStep, blockLength, firstLba);
        return csv.ToLines();
    }

    SampleTable progress;
    SampleTable position;
};

TEST_F(SequentialFileTest, HasItsLinesAnd206CellsInEveryTableLine) {
    const std::vector<std::wstring> lines = Write(2048, 512);
    ASSERT_EQ(lines.size(), 9u + 1 + 1000 + 1 + 1 + kPoints);

    const std::vector<std::wstring> header = Cells(lines[9]);
    ASSERT_EQ(header.size(), 206u);
    EXPECT_EQ(std::vector<std::wstring>(header.begin(), header.begin() + 7),
              (std::vector<std::wstring>{L"Range", L"Best", L"Avg", L"Worst", L"Count", L"100.0 MB/s -",
                                         L"99.5 MB/s - 100.0 MB/s"}));
    EXPECT_EQ(header.back(), L"0.0 MB/s - 0.5 MB/s");
    EXPECT_EQ(lines[1010], L"");
    EXPECT_EQ(lines[1011], lines[9]);
    for (std::size_t i = 10; i < lines.size(); ++i) {
        if (i == 1010 || i == 1011) continue;
        ASSERT_EQ(Cells(lines[i]).size(), 206u) << "line " << i;
    }
}

TEST_F(SequentialFileTest, ColumnsHoldTheTableRowsInOrder) {
    const std::vector<std::wstring> lines = Write(2048, 512);
    const std::vector<std::wstring> first = Cells(lines[10]);
    EXPECT_EQ(first[0], L"0.0 % - 0.1 %");
    EXPECT_EQ(first[1], L"51200");
    EXPECT_EQ(first[2], L"51200");
    EXPECT_EQ(first[3], L"51200");
    EXPECT_EQ(first[4], L"1");
    EXPECT_EQ(first[5 + 100], L"1");
    EXPECT_EQ(std::count(first.begin() + 5, first.end(), L"0"), 200);

    // Untouched: worst 4294967295, everything else 0.
    const std::vector<std::wstring> untouched = Cells(lines[11]);
    EXPECT_EQ(untouched[0], L"0.1 % - 0.2 %");
    EXPECT_EQ(untouched[3], L"4294967295");
    EXPECT_EQ(std::count(untouched.begin() + 1, untouched.end(), L"0"), 204);

    const std::vector<std::wstring> last = Cells(lines[1009]);
    EXPECT_EQ(last[0], L"99.9 % - 100.0 %");
    EXPECT_EQ(last[2], L"12345");

    // Position table: 2048 blocks of 512 bytes = 1 MB a column.
    const std::vector<std::wstring> position0 = Cells(lines[1012]);
    EXPECT_EQ(position0[0], L"0.000 MB - 1.000 MB");
    EXPECT_EQ(position0[3], L"4294967295");
    const std::vector<std::wstring> positionLast = Cells(lines.back());
    EXPECT_EQ(positionLast[0], L"2048.000 MB - 2049.000 MB");
    EXPECT_EQ(positionLast[1], L"777");
}

TEST_F(SequentialFileTest, ColumnSizeUsesTheWholeStepInSixtyFourBits) {
    // A step of 2^33 blocks (a range of 2^44 blocks) of 4096 bytes: 2^45 bytes, 2^25 MB a column.
    const std::vector<std::wstring> lines = Write(std::uint64_t{1} << 33, 4096);
    EXPECT_EQ(Cells(lines[1013])[0], L"33554432.000 MB - 67108864.000 MB");
}

TEST_F(SequentialFileTest, PositionsAreWhereTheRangeLiesOnTheDevice) {
    // The inner tenth of a 12 TB disk: from block 21,093,993,676 (10,800,124,762,112 bytes),
    // columns of 2^21 blocks of 512 bytes (1024 MB).
    const std::vector<std::wstring> lines = Write(std::uint64_t{1} << 21, 512, 21093993676ull);
    EXPECT_EQ(Cells(lines[1012])[0], L"10299801.600 MB - 10300825.600 MB");
    EXPECT_EQ(Cells(lines[1013])[0], L"10300825.600 MB - 10301849.600 MB");
}

TEST(SequentialFileEmptyTest, NoPositionRowsWithoutPoints) {
    SampleTable progress(201, 1000), position(201, 1);
    CsvFile csv;
    WriteSequentialTables(csv, Labels(), progress, position, 0, 1, 512);
    EXPECT_EQ(csv.ToLines().size(), 1u + 1000 + 1 + 1);
}

}  // namespace
}  // namespace sektra
