#pragma once
// A device's reply as a bounded view: every read checks that the bytes lie inside what the
// reply really holds, and a read that does not fit answers "absent" instead of guessing.
#include <cstddef>
#include <cstdint>
#include <string>

namespace sektra {

class ReplyBytes {
public:
    ReplyBytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    std::size_t Size() const { return size_; }
    bool Has(std::size_t at, std::size_t count) const { return at <= size_ && count <= size_ - at; }
    std::uint8_t Byte(std::size_t at) const { return at < size_ ? data_[at] : 0; }
    // `count` bytes (1 to 8) big-endian from `at`; only call after Has(at, count).
    std::uint64_t BigEndian(std::size_t at, std::size_t count) const {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count && Has(at, i + 1); ++i) value = value << 8 | data_[at + i];
        return value;
    }
    // The bytes from `at` on, at most `count` of them.
    ReplyBytes Slice(std::size_t at, std::size_t count) const {
        if (at >= size_) return ReplyBytes(nullptr, 0);
        return ReplyBytes(data_ + at, count < size_ - at ? count : size_ - at);
    }
    // The reply cut to its own length field: `header` bytes plus the `fieldBytes`-byte
    // big-endian length at `fieldAt`, never more than the buffer holds.
    ReplyBytes Own(std::size_t fieldAt, std::size_t fieldBytes, std::size_t header) const {
        if (!Has(fieldAt, fieldBytes)) return Slice(0, 0);
        return Slice(0, header + static_cast<std::size_t>(BigEndian(fieldAt, fieldBytes)));
    }
    const std::uint8_t* Data() const { return data_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace sektra
