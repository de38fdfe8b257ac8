#include "testwindows/CsvFile.h"

namespace sektra {

int CsvFile::AddCell(std::wstring cell, int row) {
    if (rows.empty()) return -1;
    if (row < 0) row = static_cast<int>(rows.size()) - 1;
    if (static_cast<std::size_t>(row) >= rows.size()) return -1;
    rows[static_cast<std::size_t>(row)].push_back(std::move(cell));
    return 0;
}

int CsvFile::AddUInt64(std::uint64_t value, int row) { return AddCell(std::to_wstring(value), row); }
int CsvFile::AddInt64(std::int64_t value, int row) { return AddCell(std::to_wstring(value), row); }
int CsvFile::AddUInt32(std::uint32_t value, int row) { return AddCell(std::to_wstring(value), row); }
int CsvFile::AddInt32(std::int32_t value, int row) { return AddCell(std::to_wstring(value), row); }

int CsvFile::AddText(const wchar_t* text, int row) {
    if (text == nullptr) return -1;
    return AddCell(text, row);
}

int CsvFile::NewRow() {
    rows.emplace_back();
    return static_cast<int>(rows.size()) - 1;
}

std::wstring CsvFile::QuoteCell(const std::wstring& cell) {
    std::wstring quoted;
    quoted.reserve(cell.size() + 2);
    for (wchar_t c : cell) {
        if (c == L'"') quoted += L'"';
        quoted += c;
    }
    if (cell.find(L',') != std::wstring::npos) quoted = L'"' + quoted + L'"';
    return quoted;
}

std::vector<std::wstring> CsvFile::ToLines() const {
    std::vector<std::wstring> lines;
    lines.reserve(rows.size());
    for (const auto& row : rows) {
        std::wstring line;
        for (const std::wstring& cell : row) {
            line += QuoteCell(cell);
            line += L',';
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

int CsvFile::SaveToFile(const wchar_t* path) {
    if (path == nullptr) return -1;
    return WriteLines(path, ToLines()) == 0 ? 0 : -1;
}

}  // namespace sektra
