#pragma once
// The command block of one measured transfer. Blocks below 2^32 travel in READ(10)/WRITE(10),
// exactly as they always did; a command whose blocks reach 2^32 or beyond needs the 8-byte
// address of READ(16)/WRITE(16).
#include <cstdint>

#include "device/ScsiRequest.h"

namespace sektra {

constexpr std::uint8_t kRead10 = 0x28;
constexpr std::uint8_t kWrite10 = 0x2A;
constexpr std::uint8_t kRead16 = 0x88;
constexpr std::uint8_t kWrite16 = 0x8A;

// The highest block a 10-byte command addresses.
constexpr std::uint64_t kLast32BitLba = 0xFFFFFFFFu;

// Writes the command block for `blocks` blocks from `lba` (opcode10 is READ(10) or WRITE(10);
// the 16-byte form is chosen when the last block lies beyond kLast32BitLba) and its CdbLength.
// A 10-byte command carries at most 65535 blocks; `fua` makes the device read from the medium,
// not from its cache.
void SetTransferCommand(ScsiRequest* request, std::uint8_t opcode10, std::uint64_t lba, std::uint32_t blocks,
                        bool fua = false);

}  // namespace sektra
