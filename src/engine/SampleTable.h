#pragma once
// A table of rate or seek-time statistics: rows 0 to 2 the extremes and the average, row 3 the
// number of samples, then the histogram highest cell first (row 4 counts the open top cell).
// A test with one table has one column; the sequential tests keep one column per thousandth of
// the range and one per position step.
//
// The worker writes and the window reads at the same time without a lock; every entry is a
// relaxed atomic word, so each is read whole and a read may mix two updates, which the window
// accepts.
#include <atomic>
#include <cstdint>
#include <memory>

namespace sektra {

class SampleTable {
public:
    // No table is allocated for more than this many histogram cells (the count comes straight
    // from the settings file), nor beyond kMaxEntries; IsAllocated() then says false.
    static constexpr std::uint32_t kMaxHistogramCells = 1u << 20;
    static constexpr std::uint64_t kMaxEntries = std::uint64_t{1} << 26;

    explicit SampleTable(std::uint32_t histogramCells, std::uint32_t columns = 1);

    bool IsAllocated() const { return entries_ != nullptr; }
    std::uint32_t HistogramCells() const { return histogramCells_; }
    std::uint32_t Rows() const { return histogramCells_ + 4; }
    std::uint32_t Columns() const { return columns_; }

    // Row-major: row r, column c at r × Columns() + c.
    std::uint32_t Get(std::uint32_t row, std::uint32_t column = 0) const {
        return entries_[Index(row, column)].load(std::memory_order_relaxed);
    }

    // The worker's side.
    void Set(std::uint32_t row, std::uint32_t column, std::uint32_t value) {
        entries_[Index(row, column)].store(value, std::memory_order_relaxed);
    }
    // Clears every entry, then sets row 2 (a minimum) of every column to `minimumStart`.
    void Reset(std::uint32_t minimumStart);
    // Counts one sample of `value` in row 3 and in its histogram cell.
    void Count(std::uint32_t column, std::uint32_t value, std::uint32_t cellWidth);

private:
    std::uint64_t Index(std::uint32_t row, std::uint32_t column) const {
        return std::uint64_t{row} * columns_ + column;
    }
    void Increment(std::uint64_t index) {
        // Only the worker writes, so a load and a store do (no locked read-modify-write).
        entries_[index].store(entries_[index].load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }

    std::uint32_t histogramCells_;
    std::uint32_t columns_;
    std::unique_ptr<std::atomic<std::uint32_t>[]> entries_;
};

}  // namespace sektra
