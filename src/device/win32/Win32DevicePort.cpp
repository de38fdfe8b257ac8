#include "device/win32/Win32DevicePort.h"

#include <windows.h>
#include <setupapi.h>

#include <cstddef>
#include <vector>

namespace sektra {

namespace {

// The storage device-interface classes, indexed as Open's interfaceClass.
const GUID kInterfaceClasses[] = {
    {0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // disk
    {0x53F56308, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // CD-ROM
    {0x53F5630A, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // partition
    {0x53F5630B, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // tape
    {0x53F5630C, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // write-once disk
    {0x53F5630D, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // volume
    {0x53F56310, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // medium changer
    {0x53F56311, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // floppy
    {0x53F56312, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // CD changer
    {0x2ACCFE60, 0xC130, 0x11D2, {0xB0, 0x82, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},  // storage port
};

// cbSize of the detail record is the size of its fixed part as the platform declares it:
// 6 on 32-bit Windows (the structure is byte-packed there), 8 on 64-bit. SetupAPI refuses
// any other value.
static_assert(sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) == (sizeof(void*) == 4 ? 6 : 8),
              "SP_DEVICE_INTERFACE_DETAIL_DATA_W fixed part");

// The device path of member `memberIndex`, or an empty string.
std::vector<wchar_t> GetDevicePath(const GUID& guid, std::uint32_t memberIndex) {
    std::vector<wchar_t> path;
    HDEVINFO set = SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return path;

    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof(data);
    // Failing here is also how the end of the members shows.
    if (!SetupDiEnumDeviceInterfaces(set, nullptr, &guid, memberIndex, &data)) {
        SetupDiDestroyDeviceInfoList(set);
        return path;
    }
    DWORD required = 0;
    if (!SetupDiGetDeviceInterfaceDetailW(set, &data, nullptr, 0, &required, nullptr) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        SetupDiDestroyDeviceInfoList(set);
        return path;
    }
    // DWORD elements keep the record aligned for its cbSize field.
    const DWORD bytes = required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)
                            ? sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) : required;
    std::vector<DWORD> buffer((bytes + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    const BOOL ok = SetupDiGetDeviceInterfaceDetailW(set, &data, detail, bytes, nullptr, nullptr);
    SetupDiDestroyDeviceInfoList(set);
    if (!ok) return path;

    // The path ends inside the buffer, whose last DWORD stays zero as a terminator of last resort.
    const wchar_t* begin = detail->DevicePath;
    const wchar_t* end = reinterpret_cast<const wchar_t*>(buffer.data() + buffer.size());
    const wchar_t* p = begin;
    while (p < end && *p) ++p;
    path.assign(begin, p);
    path.push_back(L'\0');
    return path;
}

}  // namespace

PortHandle Win32DevicePort::Open(int interfaceClass, std::uint32_t memberIndex) {
    if (interfaceClass < 0 ||
        interfaceClass >= static_cast<int>(sizeof(kInterfaceClasses) / sizeof(kInterfaceClasses[0])))
        return kInvalidPortHandle;
    std::vector<wchar_t> path = GetDevicePath(kInterfaceClasses[interfaceClass], memberIndex);
    if (path.empty()) return kInvalidPortHandle;
    return OpenPath(path.data());
}

PortHandle Win32DevicePort::OpenPath(const wchar_t* path) {
    // Synchronous handle: every DeviceIoControl returns when the request is complete.
    HANDLE handle = CreateFileW(path, GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr);
    if (handle == INVALID_HANDLE_VALUE) return kInvalidPortHandle;
    return reinterpret_cast<PortHandle>(handle);
}

bool Win32DevicePort::Control(PortHandle handle, std::uint32_t ioControlCode, void* in,
                              std::uint32_t inSize, void* out, std::uint32_t outSize,
                              std::uint32_t* returned) {
    DWORD bytes = 0;
    const BOOL ok = DeviceIoControl(reinterpret_cast<HANDLE>(handle), ioControlCode, in, inSize,
                                    out, outSize, &bytes, nullptr);
    if (returned) *returned = bytes;
    return ok != FALSE;
}

void Win32DevicePort::Close(PortHandle handle) {
    if (handle != kInvalidPortHandle) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

DevicePort* GetPlatformDevicePort() {
    static Win32DevicePort port;
    return &port;
}

}  // namespace sektra
