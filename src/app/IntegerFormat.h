#pragma once
// Formats texts that take one integer, such as "Page %02Xh" from the language module, the
// way wsprintfW does for %d, %u, %x and %X (with flags, width, precision and the l, h, I64
// and ll size prefixes). A format is outside input: any other conversion (%s, %p, ...) is
// copied as text instead of reading an argument that is not there, and only the first
// conversion takes the value.
#include <cstdint>
#include <string>

namespace sektra {

std::wstring FormatInteger(const std::wstring& format, std::int64_t value);

}  // namespace sektra
