#pragma once
// The fields of an ATA IDENTIFY DEVICE block (512 bytes, 256 little-endian words) that a
// storage engineer reads first. A block shorter than 512 bytes gives the fields it reaches.
#include <cstddef>
#include <cstdint>

#include "decode/DecodedField.h"

namespace sektra {

// Model, serial, firmware, sector counts (LBA28 and, when supported, LBA48), capacity, logical
// and physical sector size, rotation rate, TRIM, SMART and write cache (supported / enabled),
// SATA generation and the integrity word. The fields are shown whatever the integrity word
// says: a checksum that fails is reported in its own row, so a drive with a wrong checksum
// (some bridges zero it) still shows its data while the user is told not to trust it.
DecodedFields DecodeAtaIdentify(const std::uint8_t* block, std::size_t length);

// Word 255: signature A5h in the low byte and a high byte that makes all 512 bytes sum to 0.
enum class AtaIntegrity { Absent, Valid, Invalid };
AtaIntegrity CheckAtaIntegrity(const std::uint8_t* block, std::size_t length);

}  // namespace sektra
