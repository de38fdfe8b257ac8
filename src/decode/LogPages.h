#pragma once
// Decoders of LOG SENSE replies: the error counter pages 02h (write), 03h (read) and 05h
// (verify), 0Dh temperature, 0Eh start-stop cycle counter, 10h self-test results, 11h
// solid state media, 15h background scan results and 2Fh informational exceptions. Reads
// only the first `length` bytes, and of those only as far as the page length and each
// parameter's own length reach; a parameter cut by the end is left out.
#include <cstddef>
#include <cstdint>

#include "decode/DecodedField.h"

namespace sektra {

// Any log page, by the page code in its byte 0; other pages give no fields.
DecodedFields DecodeLogPage(const std::uint8_t* data, std::size_t length);

}  // namespace sektra
