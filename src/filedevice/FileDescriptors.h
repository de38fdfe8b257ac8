#pragma once
// The storage property query replies of the file-backed device: its device descriptor and the
// adapter descriptor that states the port's transfer limits.
#include <cstdint>
#include <vector>

#include "emulator/DeviceConfig.h"

namespace sektra {

// STORAGE_DEVICE_DESCRIPTOR with vendor, product and revision texts after the fixed part.
std::vector<std::uint8_t> FileDeviceDescriptor(const DeviceConfig& identity);

// STORAGE_ADAPTER_DESCRIPTOR.
std::vector<std::uint8_t> FileAdapterDescriptor(std::uint32_t busType, std::uint32_t maximumTransferLength,
                                                std::uint32_t maximumPhysicalPages, std::uint32_t alignmentMask);

}  // namespace sektra
