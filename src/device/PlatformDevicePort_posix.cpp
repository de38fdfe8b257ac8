#include "device/DevicePort.h"

namespace sektra {

// There is no pass-through on this platform; only the emulated devices answer.
DevicePort* GetPlatformDevicePort() {
    static EmptyDevicePort port;
    return &port;
}

}  // namespace sektra
