#include "app/IntegerFormat.h"

#include <algorithm>
#include <cwctype>

namespace sektra {

namespace {

struct Conversion {
    bool left = false, plus = false, space = false, zero = false, alternate = false;
    std::size_t width = 0;
    int precision = -1;
    bool wide64 = false;
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::size_t ReadNumber(const std::wstring& f, std::size_t& i) {
    std::size_t n = 0;
    while (i < f.size() && IsDigit(f[i])) {
        n = std::min<std::size_t>(n * 10 + static_cast<std::size_t>(f[i] - L'0'), 1024);
        ++i;
    }
    return n;
}

std::wstring Digits(std::uint64_t magnitude, unsigned base, bool upper) {
    const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    std::wstring digits;
    do {
        digits.insert(digits.begin(), set[magnitude % base]);
        magnitude /= base;
    } while (magnitude != 0);
    return digits;
}

std::wstring Convert(const Conversion& conv, wchar_t type, std::int64_t value) {
    bool negative = false;
    std::uint64_t magnitude;
    if (type == L'd' || type == L'i') {
        const std::int64_t v = conv.wide64 ? value : static_cast<std::int32_t>(value);
        negative = v < 0;
        magnitude = negative ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    } else {
        magnitude = conv.wide64 ? static_cast<std::uint64_t>(value)
                                : static_cast<std::uint32_t>(value);
    }
    const unsigned base = (type == L'x' || type == L'X') ? 16 : 10;
    std::wstring body = Digits(magnitude, base, type == L'X');
    if (conv.precision == 0 && magnitude == 0) body.clear();
    if (conv.precision > 0 && body.size() < static_cast<std::size_t>(conv.precision)) {
        body.insert(0, static_cast<std::size_t>(conv.precision) - body.size(), L'0');
    }
    std::wstring prefix;
    if (negative) prefix = L"-";
    else if ((type == L'd' || type == L'i') && conv.plus) prefix = L"+";
    else if ((type == L'd' || type == L'i') && conv.space) prefix = L" ";
    if (conv.alternate && base == 16 && magnitude != 0) prefix = type == L'X' ? L"0X" : L"0x";
    const std::size_t length = prefix.size() + body.size();
    if (length >= conv.width) return prefix + body;
    const std::size_t pad = conv.width - length;
    if (conv.left) return prefix + body + std::wstring(pad, L' ');
    if (conv.zero && conv.precision < 0) return prefix + std::wstring(pad, L'0') + body;
    return std::wstring(pad, L' ') + prefix + body;
}

}  // namespace

std::wstring FormatInteger(const std::wstring& format, std::int64_t value) {
    std::wstring out;
    bool used = false;
    std::size_t i = 0;
    while (i < format.size()) {
        if (format[i] != L'%') {
            out += format[i++];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == L'%') {
            out += L'%';
            i += 2;
            continue;
        }
        const std::size_t start = i++;
        Conversion conv;
        for (; i < format.size(); ++i) {
            const wchar_t c = format[i];
            if (c == L'-') conv.left = true;
            else if (c == L'+') conv.plus = true;
            else if (c == L' ') conv.space = true;
            else if (c == L'0') conv.zero = true;
            else if (c == L'#') conv.alternate = true;
            else break;
        }
        conv.width = ReadNumber(format, i);
        if (i < format.size() && format[i] == L'.') {
            ++i;
            conv.precision = static_cast<int>(ReadNumber(format, i));
        }
        if (format.compare(i, 3, L"I64") == 0) {
            conv.wide64 = true;
            i += 3;
        } else if (format.compare(i, 2, L"ll") == 0) {
            conv.wide64 = true;
            i += 2;
        } else if (i < format.size() && (format[i] == L'l' || format[i] == L'h')) {
            ++i;
        }
        const wchar_t type = i < format.size() ? format[i] : L'\0';
        const bool integer = type == L'd' || type == L'i' || type == L'u' || type == L'x' || type == L'X';
        if (!integer || used) {
            // Not ours to fill: keep the text as written.
            const std::size_t end = i < format.size() ? i + 1 : i;
            out += format.substr(start, end - start);
            i = end;
            continue;
        }
        out += Convert(conv, type, value);
        used = true;
        ++i;
    }
    return out;
}

}  // namespace sektra
