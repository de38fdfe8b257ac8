#include "app/HexDump.h"

namespace sektra {

void AppendHexDump(DetailRows& rows, const std::wstring& title, const std::uint8_t* data,
                   std::size_t length) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::size_t offset = 0;
    do {
        DetailRow row;
        if (offset == 0) row.label = title;
        for (std::size_t i = 0; i < 8; ++i) {
            if (i == 4) row.value += L' ';
            if (offset + i < length) {
                const std::uint8_t b = data[offset + i];
                row.value += kHex[b >> 4];
                row.value += kHex[b & 0x0F];
                row.remark += (b >= 0x20 && b <= 0x7E) ? static_cast<wchar_t>(b) : L'.';
            } else {
                row.value += L"  ";
                row.remark += L' ';
            }
            if (i != 7) row.value += L' ';
        }
        rows.push_back(std::move(row));
        offset += 8;
    } while (offset < length);
}

}  // namespace sektra
