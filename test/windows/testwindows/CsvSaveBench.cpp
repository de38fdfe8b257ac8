// Prints how long saving the results of a complete sequential test takes: building the rows of
// both tables and writing the file, as OnSave does. A full run has every column filled; the
// position table of a 2^32-block range has 2049 columns.
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/SampleTable.h"
#include "testwindows/CsvTables.h"

namespace {

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Fill(sektra::SampleTable& table) {
    std::uint32_t value = 12345;
    for (std::uint32_t row = 0; row < table.Rows(); ++row) {
        for (std::uint32_t column = 0; column < table.Columns(); ++column) {
            value = value * 1103515245u + 12345u;
            table.Set(row, column, row < 3 ? 40000 + (value >> 20) : (value >> 24));
        }
    }
}

}  // namespace

int main() {
    constexpr std::uint32_t kPoints = 2049;
    sektra::SampleTable progress(201, 1000), position(201, kPoints);
    Fill(progress);
    Fill(position);
    const sektra::CsvLabels labels = {L"\u30E2\u30C7\u30EB", L"\u30EA\u30D3\u30B8\u30E7\u30F3", L"\u30C6\u30B9\u30C8",
                                      L"\u6700\u9AD8", L"\u5E73\u5747", L"\u6700\u4F4E", L"\u56DE\u6570",
                                      L"\u7BC4\u56F2"};
    sektra::CsvSummary summary;
    summary.model = L"SEKTRA DEMO HDD ATA 2GB";
    summary.revision = L"D100";
    summary.title = L"Seq. Read Test(64.0KB \u5168\u57DF (0% - 100%)) - ";
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"sektra-csv-bench.csv";

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 1e9, total = 0;
    constexpr int kRounds = 5;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start, built, saved;
        QueryPerformanceCounter(&start);
        sektra::CsvFile csv;
        sektra::WriteCommonRows(csv, labels, summary);
        sektra::WriteSequentialTables(csv, labels, progress, position, kPoints, 2097152, 512);
        QueryPerformanceCounter(&built);
        const int result = csv.SaveToFile(path.c_str());
        QueryPerformanceCounter(&saved);
        const double seconds = Seconds(start, saved, frequency);
        std::printf("round %d: rows %zu, build %.3f s, write %.3f s, total %.3f s%s\n", round + 1, csv.RowCount(),
                    Seconds(start, built, frequency), Seconds(built, saved, frequency), seconds,
                    result == 0 ? "" : " (write failed)");
        if (seconds < best) best = seconds;
        total += seconds;
    }
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    std::printf("file: %lu bytes\n", static_cast<unsigned long>(data.nFileSizeLow));
    std::printf("save of a full sequential test: best %.3f s, mean %.3f s (target: under 1 s)\n", best, total / kRounds);
    DeleteFileW(path.c_str());
    return 0;
}
