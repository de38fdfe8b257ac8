#pragma once
// The seam between Device and the operating system's storage stack: open a member of a
// device-interface class, send it a control request, close it. Production uses SetupAPI,
// CreateFileW and DeviceIoControl; tests and the demo mode use the emulated devices.
#include <cstdint>

namespace sektra {

using PortHandle = std::intptr_t;
constexpr PortHandle kInvalidPortHandle = -1;

class DevicePort {
public:
    virtual ~DevicePort() = default;

    // Opens member `memberIndex` (0-based) of the present devices of the interface class with
    // index `interfaceClass` (0 disk, 1 CD-ROM, 6 medium changer, ...). kInvalidPortHandle when
    // there is no such member or it cannot be opened.
    virtual PortHandle Open(int interfaceClass, std::uint32_t memberIndex) = 0;

    // One synchronous DeviceIoControl: true when the request was carried out. `returned`
    // receives the number of output bytes.
    virtual bool Control(PortHandle handle, std::uint32_t ioControlCode, void* in,
                         std::uint32_t inSize, void* out, std::uint32_t outSize,
                         std::uint32_t* returned) = 0;

    virtual void Close(PortHandle handle) = 0;
};

// A port without devices: every Open fails. The native program's default.
class EmptyDevicePort : public DevicePort {
public:
    PortHandle Open(int, std::uint32_t) override { return kInvalidPortHandle; }
    bool Control(PortHandle, std::uint32_t, void*, std::uint32_t, void*, std::uint32_t,
                 std::uint32_t* returned) override {
        if (returned) *returned = 0;
        return false;
    }
    void Close(PortHandle) override {}
};

// The port of this platform: the Win32 port in the Windows builds, an EmptyDevicePort natively.
DevicePort* GetPlatformDevicePort();

// The port that newly constructed Devices use. Production: the Win32 port; `/DEMO` and the
// tests install the emulated one. Never null once the program has started.
DevicePort* GetDefaultDevicePort();
// Null restores the platform port.
void SetDefaultDevicePort(DevicePort* port);

}  // namespace sektra
