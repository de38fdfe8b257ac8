#pragma once
// The health data of the emulated disks, as the drives themselves return them: the ATA SMART
// attribute and threshold tables, and the NVMe Identify Controller, Identify Namespace and
// SMART / Health Information structures. Values are plausible for a disk in its first years.
#include <cstdint>
#include <vector>

#include "emulator/DeviceConfig.h"

namespace sektra {

// 512 bytes each; byte 511 is the checksum that makes the table sum to 0 modulo 256.
std::vector<std::uint8_t> BuildSmartAttributes(const DeviceConfig& config);
std::vector<std::uint8_t> BuildSmartThresholds(const DeviceConfig& config);

std::vector<std::uint8_t> BuildNvmeIdentifyController(const DeviceConfig& config);  // 4096 bytes
std::vector<std::uint8_t> BuildNvmeIdentifyNamespace(const DeviceConfig& config);   // 4096 bytes
std::vector<std::uint8_t> BuildNvmeHealthLog(const DeviceConfig& config);           // 512 bytes

}  // namespace sektra
