#pragma once
// A table of text cells that saves itself as a comma-separated file for a spreadsheet, through
// the text-file class (ANSI code page, CR LF). Rows and cells are only ever appended.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/TextFile.h"

namespace sektra {

class CsvFile : public TextFile {
public:
    // Each appends one cell to `row` (negative: the last row). -1 and nothing added when there
    // is no such row; else 0. Numbers in plain decimal.
    virtual int AddUInt64(std::uint64_t value, int row = -1);
    virtual int AddInt64(std::int64_t value, int row = -1);
    virtual int AddUInt32(std::uint32_t value, int row = -1);
    virtual int AddInt32(std::int32_t value, int row = -1);
    // A null text is refused like a missing row.
    virtual int AddText(const wchar_t* text, int row = -1);
    // Appends an empty row; its index.
    virtual int NewRow();
    // WriteLines of every row as ToLines makes it; 0, or -1 when the file could not be written.
    virtual int SaveToFile(const wchar_t* path);

    // One line per row: every cell quoted as QuoteCell does and followed by a comma, the last
    // cell of the row too.
    std::vector<std::wstring> ToLines() const;
    // Doubles every double quote; encloses the cell in double quotes when it holds a comma.
    static std::wstring QuoteCell(const std::wstring& cell);

    std::size_t RowCount() const { return rows.size(); }

private:
    int AddCell(std::wstring cell, int row);

    std::vector<std::vector<std::wstring>> rows;
};

}  // namespace sektra
