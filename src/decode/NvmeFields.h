#pragma once
// NVMe structures that Windows returns through the protocol-specific storage property query:
// Identify Controller (CNS 01h, 4096 bytes), Identify Namespace (CNS 00h, 4096 bytes) and the
// SMART / Health Information log page (02h, 512 bytes). All fields are little-endian; a reply
// shorter than its structure gives the fields it reaches.
#include <cstddef>
#include <cstdint>

#include "decode/DecodedField.h"

namespace sektra {

constexpr std::size_t kNvmeIdentifySize = 4096;
constexpr std::size_t kNvmeHealthLogSize = 512;

// Model, serial, firmware, PCI vendor and subsystem vendor, controller id, version, total
// capacity and the number of namespaces.
DecodedFields DecodeNvmeIdentifyController(const std::uint8_t* data, std::size_t length);

// Size, capacity and use in blocks, the LBA format in use and its block size, and the size
// in bytes.
DecodedFields DecodeNvmeIdentifyNamespace(const std::uint8_t* data, std::size_t length);

// Critical warning bits, composite temperature (Kelvin shown in degrees Celsius), available
// spare and its threshold, percentage used, data read and written (units of 1000 blocks of
// 512 bytes, 128-bit), power cycles, power-on hours, unsafe shutdowns, media errors, error
// log entries.
DecodedFields DecodeNvmeHealthLog(const std::uint8_t* data, std::size_t length);

}  // namespace sektra
