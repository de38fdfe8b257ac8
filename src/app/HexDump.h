#pragma once
// The detail list's hex dump: 8 bytes a row, the title in the first row's label.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/DetailRow.h"

namespace sektra {

// Value column: "00 11 22 33  44 55 66 77" (24 characters; blanks past the end of the data).
// Remark column: the 8 bytes as text, "." for bytes outside 0x20..0x7E.
// A length of 0 still gives the title row.
void AppendHexDump(DetailRows& rows, const std::wstring& title, const std::uint8_t* data,
                   std::size_t length);

}  // namespace sektra
