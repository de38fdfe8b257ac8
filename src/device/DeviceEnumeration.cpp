#include "device/DeviceEnumeration.h"

namespace sektra {

std::vector<std::unique_ptr<Device>> EnumerateDevices(int interfaceClass, DevicePort* port) {
    std::vector<std::unique_ptr<Device>> devices;
    for (std::uint32_t member = 0; member < kMaxDevicesPerClass; ++member) {
        auto device = std::make_unique<Device>(port);
        if (device->Open(interfaceClass, member) != 0) break;
        devices.push_back(std::move(device));
    }
    return devices;
}

}  // namespace sektra
