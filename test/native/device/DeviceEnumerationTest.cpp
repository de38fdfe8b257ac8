// Opening the members of an interface class.
#include <gtest/gtest.h>

#include "device/DeviceEnumeration.h"
#include "native/device/ScriptedPort.h"

namespace sektra::test {
namespace {

TEST(Enumeration, TheFirstMemberThatCannotBeOpenedEndsTheClass) {
    ScriptedPort port;
    port.members[kDiskInterfaceClass] = {true, true, true, false, true};
    auto devices = EnumerateDevices(kDiskInterfaceClass, &port);
    EXPECT_EQ(3u, devices.size());
    const std::vector<std::pair<int, std::uint32_t>> opens = {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
    EXPECT_EQ(opens, port.opens);
    for (const auto& device : devices) EXPECT_TRUE(device->IsWriteProtected());

    devices.clear();
    const std::vector<PortHandle> closed = {1000, 1001, 1002};
    EXPECT_EQ(closed, port.closed);
}

TEST(Enumeration, AnEmptyClassGivesAnEmptyList) {
    ScriptedPort port;
    EXPECT_TRUE(EnumerateDevices(kCdRomInterfaceClass, &port).empty());
    EXPECT_EQ(1u, port.opens.size());
    EXPECT_TRUE(port.closed.empty());
}

TEST(Enumeration, AClassListsAtMost255Devices) {
    ScriptedPort port;
    port.members[kMediumChangerInterfaceClass] = std::vector<bool>(300, true);
    auto devices = EnumerateDevices(kMediumChangerInterfaceClass, &port);
    EXPECT_EQ(255u, devices.size());
    ASSERT_EQ(255u, port.opens.size());  // member 255 is never opened
    EXPECT_EQ(254u, port.opens.back().second);
}

TEST(Enumeration, ARebuiltListStartsProtectedAndUnprobed) {
    ScriptedPort port;
    port.members[kDiskInterfaceClass] = {true};
    port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(65536, 17));
    port.OnCommand(0x25, Data({0, 0, 0x03, 0xE7, 0, 0, 2, 0}));
    auto devices = EnumerateDevices(kDiskInterfaceClass, &port);
    devices[0]->SetWriteProtected(false);
    EXPECT_FALSE(devices[0]->IsWriteProtected());
    EXPECT_EQ(128, devices[0]->GetMaxReadSectors());

    devices = EnumerateDevices(kDiskInterfaceClass, &port);
    EXPECT_TRUE(devices[0]->IsWriteProtected());
    EXPECT_EQ(128, devices[0]->GetMaxReadSectors());
    EXPECT_EQ(2u, port.CallsWithOpcode(0x28).size());
}

TEST(Enumeration, OpeningAgainClosesTheEarlierHandle) {
    ScriptedPort port;
    port.members[kDiskInterfaceClass] = {true, true};
    {
        Device device(&port);
        ASSERT_EQ(0, device.Open(kDiskInterfaceClass, 0));
        ASSERT_EQ(0, device.Open(kDiskInterfaceClass, 1));
        EXPECT_EQ(std::vector<PortHandle>{1000}, port.closed);
    }
    EXPECT_EQ((std::vector<PortHandle>{1000, 1001}), port.closed);
}

TEST(Enumeration, DevicesUseTheDefaultPort) {
    ScriptedPort port;
    port.members[kDiskInterfaceClass] = {true, true};
    SetDefaultDevicePort(&port);
    EXPECT_EQ(2u, EnumerateDevices(kDiskInterfaceClass).size());
    SetDefaultDevicePort(nullptr);
    EXPECT_NE(&port, GetDefaultDevicePort());
}

}  // namespace
}  // namespace sektra::test
