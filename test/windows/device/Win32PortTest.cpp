// The Win32 port against the real SetupAPI: under wine no storage class lists a member, so
// enumeration must come back empty without an error, and requests on a bad handle must fail.
#include <gtest/gtest.h>

#include <windows.h>

#include "device/DeviceEnumeration.h"
#include "device/win32/Win32DevicePort.h"

namespace sektra::test {
namespace {

TEST(Win32DevicePort, IsThePlatformDefault) {
    SetDefaultDevicePort(nullptr);
    EXPECT_NE(nullptr, dynamic_cast<Win32DevicePort*>(GetDefaultDevicePort()));
}

TEST(Win32DevicePort, EnumeratesTheStorageClassesWithoutError) {
    Win32DevicePort port;
    for (int interfaceClass : {kDiskInterfaceClass, kCdRomInterfaceClass, kMediumChangerInterfaceClass}) {
        // wine publishes no storage interfaces; a real machine would list its disks here.
        EXPECT_TRUE(EnumerateDevices(interfaceClass, &port).empty()) << interfaceClass;
    }
    EXPECT_EQ(kInvalidPortHandle, port.Open(10, 0));
    EXPECT_EQ(kInvalidPortHandle, port.Open(-1, 0));
}

TEST(Win32DevicePort, ControlOnAClosedHandleFails) {
    Win32DevicePort port;
    HANDLE file = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    const PortHandle handle = reinterpret_cast<PortHandle>(file);
    port.Close(handle);
    ScsiRequest request;
    InitScsiRequest(&request, 6, kScsiIoctlDataIn, nullptr, 0, 2);
    std::uint32_t returned = 123;
    EXPECT_FALSE(port.Control(handle, kIoctlScsiPassThroughDirect, &request, sizeof(request),
                              &request, sizeof(request), &returned));
    EXPECT_EQ(0u, returned);
}

}  // namespace
}  // namespace sektra::test
