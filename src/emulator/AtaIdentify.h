#pragma once
// The 512-byte IDENTIFY DEVICE (ATA) or IDENTIFY PACKET DEVICE (ATAPI) block of an emulated
// device, as the drive itself would return it.
#include <array>
#include <cstdint>

#include "emulator/DeviceConfig.h"

namespace sektra {

using IdentifyBlock = std::array<std::uint8_t, 512>;

// `packet`: the ATAPI form. Texts use the ATA byte order (two characters per word, the first
// in the high byte); word 255 carries the integrity checksum.
IdentifyBlock BuildIdentifyBlock(const DeviceConfig& config, bool packet);

}  // namespace sektra
