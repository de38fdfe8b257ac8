#include "engine/SampleTable.h"

#include <new>

#include "engine/Statistics.h"

namespace sektra {

SampleTable::SampleTable(std::uint32_t histogramCells, std::uint32_t columns)
    : histogramCells_(histogramCells), columns_(columns) {
    if (histogramCells > kMaxHistogramCells || columns == 0) return;
    const std::uint64_t count = (std::uint64_t{histogramCells} + 4) * columns;
    if (count > kMaxEntries) return;
    entries_.reset(new (std::nothrow) std::atomic<std::uint32_t>[static_cast<std::size_t>(count)]());
}

void SampleTable::Reset(std::uint32_t minimumStart) {
    if (!IsAllocated()) return;
    const std::uint64_t count = std::uint64_t{Rows()} * columns_;
    for (std::uint64_t i = 0; i < count; ++i) entries_[i].store(0, std::memory_order_relaxed);
    for (std::uint32_t c = 0; c < columns_; ++c) Set(2, c, minimumStart);
}

void SampleTable::Count(std::uint32_t column, std::uint32_t value, std::uint32_t cellWidth) {
    Increment(Index(3, column));
    // Without cells ("PerformCells" 0) there is no histogram to count in.
    if (histogramCells_ != 0) Increment(Index(HistogramIndex(value, cellWidth, histogramCells_), column));
}

}  // namespace sektra
