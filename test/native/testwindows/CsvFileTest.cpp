// CsvFile: quoting of every cell, the comma after each, rows addressed by index, and the bytes
// that reach the file (Shift-JIS, CR LF, no byte-order mark).
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "testwindows/CsvFile.h"

namespace sektra {
namespace {

struct QuoteCase {
    std::vector<std::wstring> cells;
    std::wstring line;
};

TEST(CsvFileTest, QuotesEachCellAndEndsEveryCellWithAComma) {
    const QuoteCase cases[] = {
        {{L"a,\"b"}, L"\"a,\"\"b\","},         // comma and quote: doubled and enclosed
        {{L"\""}, L"\"\","},                    // a quote alone: doubled, not enclosed
        {{L"say \"hi\""}, L"say \"\"hi\"\","},  // every quote doubled, none skipped
        {{L""}, L","},                          // an empty cell is a lone comma
        {{L"", L""}, L",,"},
        {{L"1,5"}, L"\"1,5\","},
        {{L"plain", L"x"}, L"plain,x,"},
        {{L"\"\",\"\""}, L"\"\"\"\"\",\"\"\"\"\","},  // enclosed: five quotes each side
        {{}, L""},                               // a row without cells: an empty line
    };
    for (const QuoteCase& c : cases) {
        CsvFile csv;
        csv.NewRow();
        for (const std::wstring& cell : c.cells) ASSERT_EQ(csv.AddText(cell.c_str()), 0);
        const std::vector<std::wstring> lines = csv.ToLines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], c.line);
    }
}

TEST(CsvFileTest, NumbersArePlainDecimal) {
    CsvFile csv;
    csv.NewRow();
    csv.AddUInt32(0);
    csv.AddUInt32(4294967295u);
    csv.AddInt32(-2147483647 - 1);
    csv.AddInt32(7);
    csv.AddUInt64(18446744073709551615ull);
    csv.AddInt64(-9223372036854775807ll - 1);
    EXPECT_EQ(csv.ToLines()[0], L"0,4294967295,-2147483648,7,18446744073709551615,-9223372036854775808,");
}

TEST(CsvFileTest, CellsGoToTheGivenRowOrTheLastOneAndNeverWithoutARow) {
    CsvFile csv;
    EXPECT_EQ(csv.AddText(L"lost"), -1);
    EXPECT_EQ(csv.AddUInt32(1), -1);
    EXPECT_EQ(csv.AddInt64(1, 0), -1);
    EXPECT_EQ(csv.NewRow(), 0);
    EXPECT_EQ(csv.NewRow(), 1);
    EXPECT_EQ(csv.AddText(L"last"), 0);
    EXPECT_EQ(csv.AddText(L"first", 0), 0);
    EXPECT_EQ(csv.AddUInt32(9, 2), -1);
    EXPECT_EQ(csv.AddText(nullptr), -1);
    EXPECT_EQ(csv.ToLines(), (std::vector<std::wstring>{L"first,", L"last,"}));
}

TEST(CsvFileTest, SavesShiftJisLinesWithCrLf) {
    CsvFile csv;
    csv.NewRow();
    csv.AddText(L"\u30E2\u30C7\u30EB");  // モデル
    csv.AddText(L"DEMO, \"A\"");
    csv.NewRow();
    csv.NewRow();
    csv.AddText(L"\u03BCs");
    const std::string path = ::testing::TempDir() + "csv_file_test.csv";
    const std::wstring widePath(path.begin(), path.end());
    ASSERT_EQ(csv.SaveToFile(widePath.c_str()), 0);

    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string expected =
        "\x83\x82\x83\x66\x83\x8B,\"DEMO, \"\"A\"\"\",\r\n"
        "\r\n"
        "\x83\xCAs,\r\n";
    EXPECT_EQ(bytes, expected);
    std::remove(path.c_str());
}

TEST(CsvFileTest, ReportsAFileThatCannotBeWritten) {
    CsvFile csv;
    csv.NewRow();
    EXPECT_EQ(csv.SaveToFile(L"/nonexistent-folder/x.csv"), -1);
    EXPECT_EQ(csv.SaveToFile(nullptr), -1);
}

}  // namespace
}  // namespace sektra
