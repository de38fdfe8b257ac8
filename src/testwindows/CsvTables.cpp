#include "testwindows/CsvTables.h"

#include <cwchar>
#include <memory>
#include <utility>

#include "engine/LatencyFigures.h"
#include "engine/LatencyHistogram.h"
#include "engine/SampleTable.h"
#include "engine/TestThread.h"
#include "language/ResourceIds.h"
#include "testwindows/TestTitles.h"

namespace sektra {
namespace {

constexpr std::uint32_t kSequentialCells = 201;
constexpr std::uint32_t kProgressColumns = 1000;

std::wstring Format(const wchar_t* format, double a) {
    wchar_t buffer[96];
    std::swprintf(buffer, 96, format, a);
    return buffer;
}

std::wstring Format(const wchar_t* format, double a, double b) {
    wchar_t buffer[96];
    std::swprintf(buffer, 96, format, a, b);
    return buffer;
}

// An entry of the table, 0 where the table has none (a table the thread could not allocate).
std::uint32_t Entry(const SampleTable& table, std::uint32_t row, std::uint32_t column) {
    if (!table.IsAllocated() || row >= table.Rows() || column >= table.Columns()) return 0;
    return table.Get(row, column);
}

void WriteSequentialHeader(CsvFile& csv, const CsvLabels& labels) {
    csv.NewRow();
    for (const std::wstring* label : {&labels.range, &labels.best, &labels.average, &labels.worst, &labels.count}) {
        csv.AddText(label->c_str());
    }
    for (std::uint32_t j = 0; j < kSequentialCells; ++j) csv.AddText(SequentialRateLabel(j).c_str());
}

// The 205 rows of one column: the figures and the 201 histogram cells.
void WriteColumn(CsvFile& csv, const SampleTable& table, std::uint32_t column) {
    for (std::uint32_t row = 0; row < kSequentialCells + 4; ++row) csv.AddUInt32(Entry(table, row, column));
}

// Three rows of figures in the order given, each with its label and unit. Times come shortest
// first and are labelled as the seek window labels them, so the smaller figure never reads as
// the "best" of a pair where it is the larger.
void WriteFigureRows(CsvFile& csv, const CsvLabels& labels, bool times, const std::uint32_t (&figures)[3]) {
    const std::wstring* names[] = {times ? &labels.shortest : &labels.best, &labels.average,
                                   times ? &labels.longest : &labels.worst};
    const wchar_t* unit = times ? L"\u03BCs" : L"KB/s";
    for (int i = 0; i < 3; ++i) {
        csv.NewRow();
        csv.AddText(names[i]->c_str());
        csv.AddUInt32(figures[i]);
        csv.AddText(unit);
    }
}

}  // namespace

CsvSummary ResultSummary(const std::wstring& model, const std::wstring& revision, const std::wstring& title,
                         const TestSnapshot& snapshot, bool times) {
    CsvSummary summary;
    summary.times = times;
    summary.model = model;
    summary.revision = revision;
    summary.title = title;
    summary.best = snapshot.words[6];
    summary.average = snapshot.words[7];
    summary.worst = snapshot.words[8];
    summary.count = std::uint64_t{snapshot.words[5]} << 32 | snapshot.words[4];
    return summary;
}

std::wstring SequentialRateLabel(std::uint32_t i) {
    if (i == 0) return Format(L"%.1f MB/s -", 100.0);
    return Format(L"%.1f MB/s - %.1f MB/s", 100.0 - 0.5 * i, 100.5 - 0.5 * i);
}

std::wstring RandomRateLabel(std::uint32_t i) {
    if (i == 0) return Format(L"%.3f MB/s -", 100.0);
    return Format(L"%.3f MB/s - %.3f MB/s", 100.0 - 0.125 * i, 100.125 - 0.125 * i);
}

std::wstring CacheRateLabel(std::uint32_t i, std::uint32_t cells) {
    const double lower = (static_cast<double>(cells) - 1 - i) * 0.5;
    if (i == 0) return Format(L"%.1f MB/s -", lower);
    return Format(L"%.1f MB/s - %.1f MB/s", lower, (static_cast<double>(cells) - i) * 0.5);
}

std::wstring SeekTimeLabel(std::uint32_t i, std::uint32_t cells) {
    const std::int64_t top = std::int64_t{cells} * 100;
    const double lower = static_cast<double>(top - 100 * (std::int64_t{i} + 1));
    if (i == 0) return Format(L"%.1f \u03BCs -", lower);
    return Format(L"%.1f \u03BCs - %.1f \u03BCs", lower, static_cast<double>(top - 100 * std::int64_t{i}));
}

std::wstring ProgressLabel(std::uint32_t column) {
    return Format(L"%.1f %% - %.1f %%", column / 10.0, (column + 1) / 10.0);
}

std::wstring PositionLabel(std::uint32_t column, std::uint64_t columnBytes, std::uint64_t startBytes) {
    const double step = static_cast<double>(columnBytes) / 1048576.0;
    const double start = static_cast<double>(startBytes) / 1048576.0;
    return Format(L"%.3f MB - %.3f MB", start + column * step, start + (column + 1.0) * step);
}

void WriteCommonRows(CsvFile& csv, const CsvLabels& labels, const CsvSummary& summary) {
    csv.NewRow();
    csv.AddText(labels.model.c_str());
    csv.AddText(summary.model.c_str());
    csv.NewRow();
    csv.AddText(labels.revision.c_str());
    csv.AddText(summary.revision.c_str());
    csv.NewRow();
    csv.AddText(labels.test.c_str());
    csv.AddText(TitleUpToParenthesis(summary.title).c_str());
    csv.NewRow();
    WriteFigureRows(csv, labels, summary.times, {summary.best, summary.average, summary.worst});
    csv.NewRow();
    csv.AddText(labels.count.c_str());
    csv.AddUInt64(summary.count);
    csv.NewRow();
}

void WriteSampleTable(CsvFile& csv, const CsvLabels& labels, const SampleTable& table, HistogramKind kind) {
    WriteFigureRows(csv, labels, kind == HistogramKind::Seek, {Entry(table, 0, 0), Entry(table, 1, 0), Entry(table, 2, 0)});
    csv.NewRow();
    csv.AddText(labels.count.c_str());
    csv.AddUInt32(Entry(table, 3, 0));
    const std::uint32_t cells = table.IsAllocated() ? table.HistogramCells() : 0;
    for (std::uint32_t i = 0; i < cells; ++i) {
        csv.NewRow();
        switch (kind) {
        case HistogramKind::Random: csv.AddText(RandomRateLabel(i).c_str()); break;
        case HistogramKind::Cache: csv.AddText(CacheRateLabel(i, cells).c_str()); break;
        case HistogramKind::Seek: csv.AddText(SeekTimeLabel(i, cells).c_str()); break;
        }
        csv.AddUInt32(Entry(table, 4 + i, 0));
    }
}

void WriteSequentialTables(CsvFile& csv, const CsvLabels& labels, const SampleTable& progressTable,
                           const SampleTable& positionTable, std::uint32_t points, std::uint64_t positionStep,
                           std::uint32_t blockLength, std::uint64_t firstLba) {
    WriteSequentialHeader(csv, labels);
    for (std::uint32_t c = 0; c < kProgressColumns; ++c) {
        csv.NewRow();
        csv.AddText(ProgressLabel(c).c_str());
        WriteColumn(csv, progressTable, c);
    }
    csv.NewRow();
    // In 64 bits: a position step of 2^21 blocks of 4096 bytes is already 8 GiB, and the inner
    // tenth of a 12 TB disk starts 10.8 TB in.
    const std::uint64_t columnBytes = positionStep * blockLength;
    const std::uint64_t startBytes = firstLba * blockLength;
    WriteSequentialHeader(csv, labels);
    for (std::uint32_t k = 0; k < points; ++k) {
        csv.NewRow();
        csv.AddText(PositionLabel(k, columnBytes, startBytes).c_str());
        WriteColumn(csv, positionTable, k);
    }
}

CsvLatencyLabels LatencyLabels(const std::function<std::wstring(std::uint32_t)>& text) {
    return {text(IDS_CSV_LATENCY), text(IDS_CSV_COMMANDS), text(IDS_CSV_IOPS),    text(IDS_CSV_WALL_IOPS),
            text(IDS_CSV_MEAN),    text(IDS_CSV_MINIMUM),  text(IDS_CSV_P50),     text(IDS_CSV_P90),
            text(IDS_CSV_P99),     text(IDS_CSV_P999),     text(IDS_CSV_P9999),   text(IDS_CSV_MAXIMUM),
            text(IDS_CSV_BUCKET),  text(IDS_CSV_BUCKET_COUNT)};
}

std::wstring MicrosecondsText(std::uint64_t nanoseconds) {
    const std::wstring fraction = std::to_wstring(1000 + nanoseconds % 1000);  // "1" and three digits
    return std::to_wstring(nanoseconds / 1000) + L"." + fraction.substr(1);
}

void WriteLatencySection(CsvFile& csv, const CsvLatencyLabels& labels, const LatencyHistogram& histogram,
                         std::uint64_t ticksPerSecond, std::uint64_t wallTicks) {
    const LatencyFigures figures = SummarizeLatency(histogram, ticksPerSecond, wallTicks);
    csv.NewRow();
    csv.NewRow();
    csv.AddText(labels.heading.c_str());
    const std::pair<const std::wstring*, std::uint64_t> counts[] = {
        {&labels.commands, figures.commands}, {&labels.iops, figures.iops}, {&labels.wallIops, figures.wallIops}};
    for (const auto& [label, value] : counts) {
        csv.NewRow();
        csv.AddText(label->c_str());
        csv.AddUInt64(value);
    }
    const std::pair<const std::wstring*, std::uint64_t> times[] = {
        {&labels.mean, figures.meanNs}, {&labels.minimum, figures.minimumNs}, {&labels.p50, figures.p50Ns},
        {&labels.p90, figures.p90Ns},   {&labels.p99, figures.p99Ns},         {&labels.p999, figures.p999Ns},
        {&labels.p9999, figures.p9999Ns}, {&labels.maximum, figures.maximumNs}};
    for (const auto& [label, ns] : times) {
        csv.NewRow();
        csv.AddText(label->c_str());
        csv.AddText(MicrosecondsText(ns).c_str());
        csv.AddText(L"\u03BCs");
    }
    csv.NewRow();
    csv.NewRow();
    csv.AddText(labels.bucket.c_str());
    csv.AddText(labels.bucketCount.c_str());
    if (ticksPerSecond == 0) return;
    for (int index = 0; index < LatencyHistogram::kBuckets; ++index) {
        const std::uint64_t count = histogram.BucketCount(index);
        if (count == 0) continue;
        std::wstring range = MicrosecondsText(TicksToNanoseconds(LatencyHistogram::BucketLow(index), ticksPerSecond));
        range += L" -";
        if (index + 1 < LatencyHistogram::kBuckets) {
            range += L" " + MicrosecondsText(TicksToNanoseconds(LatencyHistogram::BucketLow(index + 1), ticksPerSecond));
        }
        csv.NewRow();
        csv.AddText(range.c_str());
        csv.AddUInt64(count);
    }
}

void WriteLatencySection(CsvFile& csv, const CsvLatencyLabels& labels, const TestThread& thread) {
    auto histogram = std::make_unique<LatencyHistogram>();  // 58 KB: not on the window's stack
    thread.GetLatency(histogram.get());
    WriteLatencySection(csv, labels, *histogram, thread.GetTicksPerSecond(), thread.GetWallTicks());
}

}  // namespace sektra
