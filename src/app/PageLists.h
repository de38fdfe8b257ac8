#pragma once
// The pages a device lists in its own replies: the supported-pages VPD page (00h), the
// supported-pages log page (00h) and the all-pages MODE SENSE reply (3Fh). Each reads only the
// first `length` bytes (what really arrived) and returns the page codes ascending, without
// repeats; a reply too short for its header lists nothing.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace sektra {

std::vector<std::uint8_t> ListedVpdPages(const std::uint8_t* reply, std::size_t length);
std::vector<std::uint8_t> ListedLogPages(const std::uint8_t* reply, std::size_t length);
// MODE SENSE(10) data: header, block descriptors, then pages (with or without subpages).
// The all-pages code 3Fh itself is never listed.
std::vector<std::uint8_t> ListedModePages(const std::uint8_t* reply, std::size_t length);

}  // namespace sektra
