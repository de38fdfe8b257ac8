#pragma once
// The production port: SetupAPI finds the member of a storage interface class, CreateFileW
// opens it, DeviceIoControl carries every request.
#include "device/DevicePort.h"

namespace sektra {

class Win32DevicePort : public DevicePort {
public:
    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override;
    // Opens a device by its path (\\.\PhysicalDrive0, \\.\CdRom0) as Open opens a member;
    // GetLastError tells why it failed.
    static PortHandle OpenPath(const wchar_t* path);
    bool Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize,
                 void* out, std::uint32_t outSize, std::uint32_t* returned) override;
    void Close(PortHandle handle) override;
};

}  // namespace sektra
