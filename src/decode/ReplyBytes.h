#pragma once
// Bounded reads of a device reply: every field is read only when it lies wholly inside the
// bytes the device returned, so a short or malformed reply leaves fields out and never reads
// past its end. SCSI replies are big-endian, ATA and NVMe structures little-endian.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/WideArithmetic.h"

namespace sektra {

class ReplyBytes {
public:
    ReplyBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    std::size_t Size() const { return size_; }
    const std::uint8_t* Data() const { return data_; }
    bool Has(std::size_t offset, std::size_t size) const { return offset <= size_ && size <= size_ - offset; }
    std::uint8_t Byte(std::size_t offset) const { return offset < size_ ? data_[offset] : 0; }

    // `size` bytes (1 to 8) big-endian from `offset`; only call after Has(offset, size).
    std::uint64_t BigEndian(std::size_t offset, std::size_t size) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size && Has(offset, i + 1); ++i) value = value << 8 | data_[offset + i];
        return value;
    }
    // The bytes from `offset` on, at most `size` of them.
    ReplyBytes Slice(std::size_t offset, std::size_t size) const {
        if (offset >= size_) return ReplyBytes(nullptr, 0);
        return ReplyBytes(data_ + offset, size < size_ - offset ? size : size_ - offset);
    }
    // The reply cut to its own length field: `header` bytes plus the `fieldBytes`-byte
    // big-endian length at `fieldAt`, never more than the buffer holds.
    ReplyBytes Own(std::size_t fieldAt, std::size_t fieldBytes, std::size_t header) const {
        if (!Has(fieldAt, fieldBytes)) return Slice(0, 0);
        return Slice(0, header + static_cast<std::size_t>(BigEndian(fieldAt, fieldBytes)));
    }

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
    std::size_t size_;
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
