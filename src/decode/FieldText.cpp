#include "decode/FieldText.h"

#include <algorithm>

namespace sektra {

const wchar_t* const kUnitBlocks = L"ブロック";
const wchar_t* const kUnitBytes = L"バイト";
const wchar_t* const kUnitCelsius = L"°C";
const wchar_t* const kUnitMinutes = L"分";
const wchar_t* const kUnitHours = L"時間";
const wchar_t* const kUnitSeconds = L"秒";
const wchar_t* const kUnitPercent = L"%";
const wchar_t* const kUnitTimes = L"回";

std::wstring Number(std::uint64_t value, const wchar_t* unit) {
    std::wstring text = std::to_wstring(value);
    if (unit != nullptr) text += std::wstring(L" ") + unit;
    return text;
}

std::wstring Flag(const wchar_t* name, bool set, const wchar_t* whenSet, const wchar_t* whenClear) {
    return std::wstring(set ? whenSet : whenClear) + L" (" + name + (set ? L"=1)" : L"=0)");
}

std::wstring YesNo(const wchar_t* name, bool set) { return Flag(name, set, L"はい", L"いいえ"); }

std::wstring Named(std::uint64_t value, const wchar_t* name) {
    std::wstring text = std::to_wstring(value);
    if (name != nullptr) text += std::wstring(L" (") + name + L")";
    return text;
}

std::wstring Hex(ReplyBytes bytes) {
    static const wchar_t digits[] = L"0123456789ABCDEF";
    std::wstring text;
    for (std::size_t i = 0; i < bytes.Size(); ++i) {
        text += digits[bytes.Byte(i) >> 4];
        text += digits[bytes.Byte(i) & 0x0F];
    }
    return text;
}

std::wstring Ascii(ReplyBytes bytes) {
    std::wstring text;
    for (std::size_t i = 0; i < bytes.Size(); ++i) {
        const std::uint8_t c = bytes.Byte(i);
        text += c >= 0x20 && c < 0x7F ? static_cast<wchar_t>(c) : L'.';
    }
    std::size_t end = text.size();
    for (std::size_t i = bytes.Size(); i > 0 && (bytes.Byte(i - 1) == ' ' || bytes.Byte(i - 1) == 0); --i) end = i - 1;
    text.resize(end);
    return text;
}

std::wstring TrimmedAscii(ReplyBytes bytes) {
    std::wstring text = Ascii(bytes);
    return text.substr(std::min(text.find_first_not_of(L' '), text.size()));
}

void Add(DecodedFields& fields, unsigned labelId, std::wstring value) {
    if (!value.empty()) fields.push_back(DecodedField{labelId, std::move(value)});
}

}  // namespace sektra
