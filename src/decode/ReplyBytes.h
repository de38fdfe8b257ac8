#pragma once
// Bounded reads of a device reply: every field is read only when it lies wholly inside the
// bytes the device returned, so a short or malformed reply leaves fields out and never reads
// past its end. ATA and NVMe structures are little-endian.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/WideArithmetic.h"

namespace sektra {

class ReplyBytes {
public:
    ReplyBytes(const std::uint8_t* data, std::size_t length) : data_(data), length_(data ? length : 0) {}

    bool Has(std::size_t offset, std::size_t size) const { return offset <= length_ && size <= length_ - offset; }
    std::size_t Length() const { return length_; }

    // Little-endian unsigned value of `size` bytes (1 to 8) at `offset`; the caller checks Has.
    std::uint64_t Le(std::size_t offset, std::size_t size) const;
    // A 16-byte little-endian counter (NVMe); the caller checks Has.
    Uint128 Le128(std::size_t offset) const { return Uint128{Le(offset + 8, 8), Le(offset, 8)}; }
    std::uint16_t Word(std::size_t word) const { return static_cast<std::uint16_t>(Le(2 * word, 2)); }
    bool HasWord(std::size_t word) const { return Has(2 * word, 2); }

    // ASCII text of `size` bytes, blanks on both sides dropped, ended early by a zero byte;
    // bytes outside 20h-7Eh show as '?'.
    std::wstring Ascii(std::size_t offset, std::size_t size) const;
    // An ATA string of `words` words from `firstWord`: two characters a word, the first in the
    // word's high byte.
    std::wstring AtaText(std::size_t firstWord, std::size_t words) const;

private:
    const std::uint8_t* data_;
    std::size_t length_;
};

// Decimal text of a count; 128 bits wide, as NVMe counters are 16 bytes (the 32-bit build has
// no 128-bit integer type, hence Uint128).
std::wstring DecimalText(Uint128 value);
inline std::wstring DecimalText(std::uint64_t value) { return DecimalText(Uint128{0, value}); }

// The value with the unit after a blank, e.g. "512 バイト".
std::wstring WithUnit(Uint128 value, const wchar_t* unit);
inline std::wstring WithUnit(std::uint64_t value, const wchar_t* unit) { return WithUnit(Uint128{0, value}, unit); }

// value × factor, wrapping past 128 bits.
Uint128 MultiplyBy(Uint128 value, std::uint32_t factor);

// A byte count in decimal gigabytes with one decimal, truncated: "256.0 GB".
std::wstring DecimalGigabytes(Uint128 bytes);

// A byte count as the gigabytes first, then the exact bytes: "256.0 GB (256060514304 バイト)".
std::wstring BytesText(Uint128 bytes);

// "0033h": a value in upper-case hex of at least `digits` digits.
std::wstring HexText(std::uint64_t value, int digits);

}  // namespace sektra
