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

std::wstring DecimalText(unsigned __int128 value) {
    std::wstring text;
    do {
        text.insert(text.begin(), static_cast<wchar_t>(L'0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return text;
}

std::wstring WithUnit(unsigned __int128 value, const wchar_t* unit) { return DecimalText(value) + L" " + unit; }

std::wstring DecimalGigabytes(unsigned __int128 bytes) {
    const unsigned __int128 tenths = bytes / 100000000;  // units of 0.1 GB
    return DecimalText(tenths / 10) + L"." + static_cast<wchar_t>(L'0' + static_cast<int>(tenths % 10)) + L" GB";
}

std::wstring BytesText(unsigned __int128 bytes) {
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
