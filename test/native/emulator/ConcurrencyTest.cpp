// A measurement thread and the UI thread share one emulated device, as they share a Device:
// the device's answers stay right and its log and clock count every command.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

TEST(Concurrency, TwoThreadsOnOneDevice) {
    TimingModel timing;
    timing.mode = TimeMode::Virtual;
    timing.commandNs = 1000;  // 10 ticks a command at 10 MHz
    EmulatedPort port;
    EmulatedDevice& disk = port.AddDevice(0, TestDisk(4096, timing));
    constexpr int kCommands = 2000;
    std::thread measuring([&] {
        RawDevice raw(port);
        std::vector<std::uint8_t> d(8 * 512);
        for (int i = 0; i < kCommands; ++i) {
            const std::uint32_t lba = (i * 8) % 4096;
            RawOutcome o = raw.In({0x28, 0, 0, 0, std::uint8_t(lba >> 8), std::uint8_t(lba), 0, 0, 8, 0}, d);
            ASSERT_EQ(o.status, 0);
            ASSERT_EQ(Be64(&d[0]), lba);  // the never-written pattern carries the address
        }
    });
    RawDevice ui(port);
    std::vector<std::uint8_t> page(256);
    for (int i = 0; i < kCommands; ++i) {
        ASSERT_EQ(ui.In({0x4D, 0, 0x4D, 0, 0, 0, 0, 1, 0, 0}, page).status, 0);
        ASSERT_EQ(page[9], 38);
    }
    measuring.join();
    EXPECT_EQ(disk.Log().Total(), 2u * kCommands);
    EXPECT_EQ(disk.Log().CountOpcode(0x28), std::uint64_t{kCommands});
    EXPECT_EQ(port.Clock().Now(), 2u * kCommands * 10u);
}

}  // namespace
}  // namespace sektra::test
