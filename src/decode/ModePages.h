#pragma once
// Decoders of MODE SENSE(10) replies: the header's write protection, the block descriptors
// (short and long LBA form) and the pages 08h (caching), 0Ah (control) and 1Ch
// (informational exceptions control). Reads only the first `length` bytes, and of those only
// as far as the mode data length and each page's own length reach.
#include <cstddef>
#include <cstdint>

#include "decode/DecodedField.h"

namespace sektra {

// A whole MODE SENSE(10) reply: header, block descriptors, then every page it holds.
DecodedFields DecodeModeSense10(const std::uint8_t* data, std::size_t length);

// One mode page from its first byte (page code) on; pages without a decoder give no fields.
DecodedFields DecodeModePage(const std::uint8_t* page, std::size_t length);

}  // namespace sektra
