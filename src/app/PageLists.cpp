#include "app/PageLists.h"

#include <algorithm>

namespace sektra {

namespace {

std::size_t BigEndian16(const std::uint8_t* p) { return static_cast<std::size_t>(p[0]) << 8 | p[1]; }

std::vector<std::uint8_t> Sorted(std::vector<std::uint8_t> pages) {
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

// A 4-byte header whose bytes 2-3 count the page codes that follow, one byte each; `mask`
// keeps the page code of each byte.
std::vector<std::uint8_t> ListAfterHeader(const std::uint8_t* reply, std::size_t length, std::uint8_t mask) {
    std::vector<std::uint8_t> pages;
    if (length < 4) return pages;
    const std::size_t end = std::min(length, 4 + BigEndian16(reply + 2));
    for (std::size_t i = 4; i < end; ++i) pages.push_back(reply[i] & mask);
    return Sorted(std::move(pages));
}

}  // namespace

std::vector<std::uint8_t> ListedVpdPages(const std::uint8_t* reply, std::size_t length) {
    return ListAfterHeader(reply, length, 0xFF);
}

std::vector<std::uint8_t> ListedLogPages(const std::uint8_t* reply, std::size_t length) {
    // Bits 6 and 7 belong to the subpage scheme; the page code is the low six bits.
    return ListAfterHeader(reply, length, 0x3F);
}

std::vector<std::uint8_t> ListedModePages(const std::uint8_t* reply, std::size_t length) {
    constexpr std::size_t kHeaderSize = 8;
    constexpr std::uint8_t kAllPages = 0x3F;
    std::vector<std::uint8_t> pages;
    if (length < kHeaderSize) return pages;
    const std::size_t end = std::min(length, 2 + BigEndian16(reply));
    std::size_t at = kHeaderSize + BigEndian16(reply + 6);
    // Every page starts with its code and length: a subpage-format page (SPF, bit 6) has a
    // 16-bit length after its subpage code, the others an 8-bit one.
    while (at + 2 <= end) {
        const std::uint8_t code = reply[at] & 0x3F;
        const bool subpageFormat = reply[at] & 0x40;
        if (subpageFormat && at + 4 > end) break;
        if (code != kAllPages) pages.push_back(code);
        at += subpageFormat ? 4 + BigEndian16(reply + at + 2) : 2 + std::size_t{reply[at + 1]};
    }
    return Sorted(std::move(pages));
}

}  // namespace sektra
