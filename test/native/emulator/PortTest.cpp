// Members of interface classes, handles, and devices that go away.
#include <gtest/gtest.h>

#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

TEST(EmulatedPort, MembersOpenInOrderUntilTheFirstGap) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(100));
    port.AddDevice(0, TestDisk(200));
    port.AddDevice(1, DemoDevices(TimeMode::Zero)[4].config);
    const PortHandle a = port.Open(0, 0);
    const PortHandle b = port.Open(0, 1);
    EXPECT_NE(a, kInvalidPortHandle);
    EXPECT_NE(b, kInvalidPortHandle);
    EXPECT_NE(a, b);
    EXPECT_EQ(port.Open(0, 2), kInvalidPortHandle);
    EXPECT_EQ(port.Open(6, 0), kInvalidPortHandle);
    EXPECT_NE(port.Open(1, 0), kInvalidPortHandle);
    EXPECT_EQ(port.DeviceCount(0), 2u);
    EXPECT_EQ(port.OpenHandleCount(), 3u);
    EXPECT_EQ(port.GetDevice(0, 1)->Config().blockCount, 200u);
    EXPECT_EQ(port.GetDevice(0, 2), nullptr);
}

TEST(EmulatedPort, MemberThatCannotBeOpened) {
    EmulatedPort port;
    DeviceConfig locked = TestDisk(100);
    locked.failOpen = true;
    port.AddDevice(0, locked);
    port.AddDevice(0, TestDisk(100));
    EXPECT_EQ(port.Open(0, 0), kInvalidPortHandle);
    EXPECT_NE(port.Open(0, 1), kInvalidPortHandle);
}

TEST(EmulatedPort, ClosedOrUnknownHandlesAndUnpluggedDevicesFail) {
    EmulatedPort port;
    port.AddDevice(0, TestDisk(100));
    port.AddDevice(0, TestDisk(300));
    std::vector<std::uint8_t> d(36);
    {
        RawDevice raw(port, 0, 0);
        EXPECT_TRUE(raw.In({0x12, 0, 0, 0, 36, 0}, d).ok);
    }
    EXPECT_EQ(port.OpenHandleCount(), 0u);
    std::uint32_t returned = 7;
    EXPECT_FALSE(port.Control(12345, kIoctlScsiPassThroughDirect, d.data(), 36, d.data(), 36, &returned));
    EXPECT_EQ(returned, 0u);

    RawDevice first(port, 0, 0);
    port.RemoveDevice(0, 0);
    EXPECT_FALSE(first.In({0x12, 0, 0, 0, 36, 0}, d).ok);
    // The member after it moved down.
    ASSERT_EQ(port.DeviceCount(0), 1u);
    EXPECT_EQ(port.GetDevice(0, 0)->Config().blockCount, 300u);
    RawDevice second(port, 0, 0);
    EXPECT_TRUE(second.In({0x12, 0, 0, 0, 36, 0}, d).ok);
}

TEST(EmulatedPort, ManyMembers) {
    EmulatedPort port;
    for (int i = 0; i < 300; ++i) port.AddDevice(0, TestDisk(16));
    EXPECT_NE(port.Open(0, 299), kInvalidPortHandle);
    EXPECT_EQ(port.Open(0, 300), kInvalidPortHandle);
}

}  // namespace
}  // namespace sektra::test
