#pragma once
// Decoders of INQUIRY replies: the standard data and the vital product data pages 80h (unit
// serial number), 83h (device identification), B0h (block limits), B1h (block device
// characteristics) and B2h (logical block provisioning). Each reads only the first `length`
// bytes, and of those only as far as the reply's own length field reaches.
#include <cstddef>
#include <cstdint>

#include "decode/DecodedField.h"

namespace sektra {

DecodedFields DecodeStandardInquiry(const std::uint8_t* data, std::size_t length);

// Any VPD page, by the page code in its byte 1; a page without a decoder gives no fields.
DecodedFields DecodeVpdPage(const std::uint8_t* data, std::size_t length);

}  // namespace sektra
