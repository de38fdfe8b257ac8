#pragma once
// Finding the devices of one interface class.
#include <cstdint>
#include <memory>
#include <vector>

#include "device/Device.h"

namespace sektra {

// Interface classes of the three device lists.
constexpr int kDiskInterfaceClass = 0;
constexpr int kCdRomInterfaceClass = 1;
constexpr int kMediumChangerInterfaceClass = 6;

// Item codes address a device in 8 bits with 0xFF reserved, so a class lists at most 255.
constexpr std::uint32_t kMaxDevicesPerClass = 255;

// Opens members 0, 1, 2, ... of the class until the first one that cannot be opened, or until
// kMaxDevicesPerClass are open. Every Device is new: write-protected, nothing probed.
std::vector<std::unique_ptr<Device>> EnumerateDevices(int interfaceClass,
                                                      DevicePort* port = GetDefaultDevicePort());

}  // namespace sektra
