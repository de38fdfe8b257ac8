#pragma once
// What the test windows put into a saved result file: the common head of every file, and the
// table of each kind of test. The row labels are resource strings, handed in by the window.
#include <cstdint>
#include <functional>
#include <string>

#include "testwindows/CsvFile.h"

namespace sektra {

class LatencyHistogram;
class SampleTable;
class TestThread;
struct TestSnapshot;

// Strings 65 to 72, 700 and 701 of the language module.
struct CsvLabels {
    std::wstring model, revision, test, best, average, worst, count, range;
    std::wstring shortest, longest;  // in place of best and worst for seek and access times
};

// Strings 120 to 133 of the language module: the latency section's labels.
struct CsvLatencyLabels {
    std::wstring heading, commands, iops, wallIops, mean, minimum, p50, p90, p99, p999, p9999, maximum;
    std::wstring bucket, bucketCount;  // the header of the bucket rows
};

// The latency labels from a lookup of strings by number: the window's language module, or
// BuiltInText where there is none.
CsvLatencyLabels LatencyLabels(const std::function<std::wstring(std::uint32_t)>& text);

// The figures of the head, from the thread's snapshot.
struct CsvSummary {
    std::wstring model;
    std::wstring revision;
    std::wstring title;  // the window's title; the file shows it up to its ')'
    std::uint32_t best = 0;
    std::uint32_t average = 0;
    std::uint32_t worst = 0;
    std::uint64_t count = 0;
    bool times = false;  // seek or access times in µs, shortest first; else rates in KB/s
};

// The head's figures of a finished run from its thread's snapshot (best, average and worst,
// then the command count), with the device's model and revision and the test's title; `times`
// for a seek or access-time test.
CsvSummary ResultSummary(const std::wstring& model, const std::wstring& revision, const std::wstring& title,
                         const TestSnapshot& snapshot, bool times);

// Labels of the histogram cells, i counting from the top cell.
// Sequential tests: 201 cells of 0.5 MB/s from 100 MB/s down ("%.1f MB/s -" for the top one).
std::wstring SequentialRateLabel(std::uint32_t i);
// Random tests: 801 cells of 0.125 MB/s from 100 MB/s down.
std::wstring RandomRateLabel(std::uint32_t i);
// Cache and buffer tests: `cells` cells of 0.5 MB/s, the top one from (cells - 1) × 0.5 up.
std::wstring CacheRateLabel(std::uint32_t i, std::uint32_t cells);
// Seek test: `cells` cells of 100 μs, the top one from cells × 100 - 100 up.
std::wstring SeekTimeLabel(std::uint32_t i, std::uint32_t cells);
// Sequential tests, one per thousandth of the range: "%.1f %% - %.1f %%".
std::wstring ProgressLabel(std::uint32_t column);
// Sequential tests, one per position step of `columnBytes` bytes from `startBytes` (the first
// tested block's position on the device): "%.3f MB - %.3f MB".
std::wstring PositionLabel(std::uint32_t column, std::uint64_t columnBytes, std::uint64_t startBytes = 0);

// Rows 1 to 9 of every file: model, revision, title, an empty row, best, average, worst (each
// with its unit after it; shortest and longest for times), command count, an empty row.
void WriteCommonRows(CsvFile& csv, const CsvLabels& labels, const CsvSummary& summary);

enum class HistogramKind { Random, Cache, Seek };
// The table of a one-column SampleTable: best, average, worst (with their unit; shortest,
// average, longest for the seek kind) and sample count, then one row per histogram cell with
// its label.
void WriteSampleTable(CsvFile& csv, const CsvLabels& labels, const SampleTable& table, HistogramKind kind);

// The two tables of a sequential test: the progress table (1000 columns) and, after an empty
// row, the position table (`points` columns of positionStep × blockLength bytes from block
// firstLba, labelled with their positions on the device), each under the same header row;
// every data row holds its label and the 205 rows of its column.
void WriteSequentialTables(CsvFile& csv, const CsvLabels& labels, const SampleTable& progressTable,
                           const SampleTable& positionTable, std::uint32_t points, std::uint64_t positionStep,
                           std::uint32_t blockLength, std::uint64_t firstLba = 0);

// Nanoseconds as microseconds with three decimals, exactly: 1234567 -> "1234.567".
std::wstring MicrosecondsText(std::uint64_t nanoseconds);

// The latency section, after every other table, so that the lines before it stay as they
// were: an empty row; the heading; the command count and the commands per second of measured
// and of wall time; mean, minimum, the 50th, 90th, 99th, 99.9th and 99.99th percentiles and
// the maximum, each in μs with the unit after it; an empty row; the bucket header; and one row
// per bucket that counted a command, "low - high" in μs (low inclusive, high the next bucket's
// low; the open last bucket "low -") and its count, fastest first.
void WriteLatencySection(CsvFile& csv, const CsvLatencyLabels& labels, const LatencyHistogram& histogram,
                         std::uint64_t ticksPerSecond, std::uint64_t wallTicks);
// The same of a test thread's record as it stands.
void WriteLatencySection(CsvFile& csv, const CsvLatencyLabels& labels, const TestThread& thread);

}  // namespace sektra
