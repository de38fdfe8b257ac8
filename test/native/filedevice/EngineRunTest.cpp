// The measuring threads, unchanged, over a real file: their page-aligned buffers pass the
// unbuffered transfers, every command reads whole blocks, and none ends in CHECK CONDITION.
#include <gtest/gtest.h>

#include <string>

#include "device/Device.h"
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"
#include "filedevice/FileDevicePort.h"
#include "native/filedevice/ScratchFile.h"

namespace sektra {
namespace {

std::uint64_t Commands(const TestSnapshot& s) { return (std::uint64_t{s.words[5]} << 32) | s.words[4]; }

class EngineRunTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(port.Attach(file.Path(), FileAccess::ReadOnly, &error)) << error;
        ASSERT_EQ(device.Open(0, 0), 0);
    }
    std::uint32_t Low() const { return static_cast<std::uint32_t>(frequency); }
    std::uint32_t High() const { return static_cast<std::uint32_t>(frequency >> 32); }

    // 1000 blocks: 7 commands of 128 blocks and a last one of 104.
    test::ScratchFile file{1000 * 512};
    FileDevicePort port;
    Device device{&port};
    std::uint64_t frequency = GetSystemServices().PerformanceFrequency();
};

TEST_F(EngineRunTest, SequentialReadWalksTheWholeFile) {
    SequentialReadTestThread thread(nullptr, &device, Low(), High(), kPerformanceCounter, 128, 0, 100, 201);
    thread.SetRunning(true);
    EXPECT_EQ(thread.Run(), 0u);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[0], 0u);
    EXPECT_EQ(s.words[1], 999u);
    EXPECT_EQ(Commands(s), 8u);  // ceil(1000 / 128); no command is too fast for a nanosecond clock
    EXPECT_EQ(s.words[9], 1000u);
    EXPECT_GT(s.words[7], 0u);
    EXPECT_EQ(port.CheckConditionCount(), 0u);
    EXPECT_EQ(port.RefusedCount(), 0u) << port.LastRefusal();
}

TEST_F(EngineRunTest, RandomReadStaysInsideTheFile) {
    RandomReadTestThread thread(nullptr, &device, Low(), High(), kPerformanceCounter, 8, 0, 100, 801);
    thread.SetRunning(true);
    EXPECT_EQ(thread.Run(), 0u);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(Commands(s), 10000u);
    EXPECT_GT(s.words[7], 0u);
    EXPECT_EQ(port.CheckConditionCount(), 0u);
    EXPECT_EQ(port.RefusedCount(), 0u) << port.LastRefusal();
}

}  // namespace
}  // namespace sektra
