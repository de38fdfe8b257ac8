#pragma once
// The value texts decoders give their fields: numbers in decimal with their unit, flags as a
// word and the bit they come from, texts from the device without their padding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "decode/DecodedField.h"
#include "decode/ReplyBytes.h"

namespace sektra {

// Units, as the detail list shows them after a number.
extern const wchar_t* const kUnitBlocks;
extern const wchar_t* const kUnitBytes;
extern const wchar_t* const kUnitCelsius;
extern const wchar_t* const kUnitMinutes;
extern const wchar_t* const kUnitHours;
extern const wchar_t* const kUnitSeconds;
extern const wchar_t* const kUnitPercent;
extern const wchar_t* const kUnitTimes;

// "123 ブロック"; no unit: "123".
std::wstring Number(std::uint64_t value, const wchar_t* unit = nullptr);
// "有効 (WCE=1)" / "無効 (WCE=0)"; the words say what a set bit means.
std::wstring Flag(const wchar_t* name, bool set, const wchar_t* whenSet, const wchar_t* whenClear);
// "はい (RMB=1)" / "いいえ (RMB=0)".
std::wstring YesNo(const wchar_t* name, bool set);
// "6 (name)" or just "6" when there is no name.
std::wstring Named(std::uint64_t value, const wchar_t* name);
// Upper-case hex digits, two per byte, no separators.
std::wstring Hex(ReplyBytes bytes);
// Printable ASCII as it is, other bytes as '.', trailing blanks and NULs dropped.
std::wstring Ascii(ReplyBytes bytes);
// The same without leading blanks either: serial numbers are often right-aligned in their field.
std::wstring TrimmedAscii(ReplyBytes bytes);

// Appends a field unless the value is empty.
void Add(DecodedFields& fields, unsigned labelId, std::wstring value);

}  // namespace sektra
