#include "device/DevicePort.h"

namespace sektra {

namespace {
DevicePort* defaultPort = nullptr;
}

DevicePort* GetDefaultDevicePort() { return defaultPort ? defaultPort : GetPlatformDevicePort(); }

void SetDefaultDevicePort(DevicePort* port) { defaultPort = port; }

}  // namespace sektra
