#include "decode/ReplyBytes.h"

namespace sektra {

namespace {

std::wstring Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return L"";
    const std::size_t last = text.find_last_not_of(' ');
    return std::wstring(text.begin() + first, text.begin() + last + 1);
}

char Printable(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x7E ? static_cast<char>(byte) : '?'; }

}  // namespace

std::uint64_t ReplyBytes::Le(std::size_t offset, std::size_t size) const {
    std::uint64_t value = 0;
    for (std::size_t i = size; i > 0; --i) value = value << 8 | data_[offset + i - 1];
    return value;
}

std::wstring ReplyBytes::Ascii(std::size_t offset, std::size_t size) const {
    std::string text;
    for (std::size_t i = 0; i < size && Has(offset + i, 1) && data_[offset + i] != 0; ++i) {
        text += Printable(data_[offset + i]);
    }
    return Trimmed(text);
}

std::wstring ReplyBytes::AtaText(std::size_t firstWord, std::size_t words) const {
    std::string text;
    for (std::size_t i = 0; i < 2 * words; ++i) {
        const std::size_t offset = 2 * firstWord + (i ^ 1);
        if (!Has(offset, 1) || data_[offset] == 0) break;
        text += Printable(data_[offset]);
    }
    return Trimmed(text);
}

namespace {

bool IsZero(Uint128 value) { return value.high == 0 && value.low == 0; }

// The last decimal digit; the quotient stays in `value`. Unsigned arithmetic wraps, so the
// low words alone give the remainder.
int PopDigit(Uint128& value) {
    const Uint128 quotient = Divide128(value, 10);
    const int digit = static_cast<int>(value.low - quotient.low * 10);
    value = quotient;
    return digit;
}

}  // namespace

std::wstring DecimalText(Uint128 value) {
    std::wstring text;
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + PopDigit(value)));
    } while (!IsZero(value));
    return text;
}

std::wstring WithUnit(Uint128 value, const wchar_t* unit) { return DecimalText(value) + L" " + unit; }

Uint128 MultiplyBy(Uint128 value, std::uint32_t factor) {
    Uint128 product = Multiply128(value.low, factor);
    product.high += value.high * factor;
    return product;
}

std::wstring DecimalGigabytes(Uint128 bytes) {
    Uint128 tenths = Divide128(bytes, 100000000);  // units of 0.1 GB
    const int fraction = PopDigit(tenths);
    return DecimalText(tenths) + L"." + static_cast<wchar_t>(L'0' + fraction) + L" GB";
}

std::wstring BytesText(Uint128 bytes) {
    return DecimalGigabytes(bytes) + L" (" + DecimalText(bytes) + L" バイト)";
}

std::wstring HexText(std::uint64_t value, int digits) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    do {
        text.insert(text.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), L'0');
    return text + L"h";
}

}  // namespace sektra
