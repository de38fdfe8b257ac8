// The eight test threads, unchanged, against logical units of a real SCSI target: every run
// ends with its one message, and what the writing tests wrote is found in the backing file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "device/Device.h"
#include "device/iscsi/IscsiDevicePort.h"
#include "engine/MessageQueue.h"
#include "engine/RandomTestThread.h"
#include "engine/RepeatTestThread.h"
#include "engine/SeekTestThread.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"
#include "engine/WindowMessages.h"
#include "native/iscsi/TargetUnits.h"

namespace sektra {
namespace {

using test::ReadWholeFile;

constexpr std::uint64_t kDiskBlocks = 8 * 1024 * 1024 / 512;  // DISK512: 8 MiB

std::uint64_t Commands(const TestSnapshot& s) { return (std::uint64_t{s.words[5]} << 32) | s.words[4]; }

// One opened unit and a message queue standing in for the test window.
class TargetRun {
public:
    explicit TargetRun(const std::string& url) : port_({url}) {}

    bool Open() { return device_.Open(0, 0) == 0; }
    Device* GetDevice() { return &device_; }
    MessageQueue* Window() { return &window_; }
    std::string Error() const { return port_.LastError(); }
    std::uint32_t Low() const { return static_cast<std::uint32_t>(frequency_); }
    std::uint32_t High() const { return static_cast<std::uint32_t>(frequency_ >> 32); }

    // Runs the measurement on this thread; the one message it posted.
    PostedMessage Run(TestThread& thread) {
        thread.SetRunning(true);
        thread.Run();
        std::vector<PostedMessage> posted = window_.TakeAll();
        EXPECT_EQ(posted.size(), 1u);
        return posted.empty() ? PostedMessage{0, 0, 0} : posted.back();
    }

private:
    IscsiDevicePort port_;
    Device device_{&port_};
    MessageQueue window_;
    std::uint64_t frequency_ = GetSystemServices().PerformanceFrequency();
};

using Factory = std::function<std::unique_ptr<TestThread>(TargetRun&)>;

struct ThreadCase {
    const char* name;
    const char* unit;
    Factory make;
    // For the writing tests: the blocks a run may change, [first, end).
    std::uint64_t firstWritten = 0, endWritten = 0;
    // False for the buffer tests: the target has no drive buffer and refuses READ BUFFER and
    // WRITE BUFFER, so once commands are judged those runs fail (see the disabled test below).
    bool finishes = true;
};

// 10 % of 16384 blocks starts at block 1638 (1638.4 rounded down), 20 % at 3276.
const ThreadCase kThreadCases[] = {
    {"sequential read", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<SequentialReadTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                           kPerformanceCounter, 128, 0, 100, 201);
     }},
    {"sequential write", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<SequentialWriteTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                            kPerformanceCounter, 128, 10, 20, 201);
     },
     1638, 3276},
    {"random read", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<RandomReadTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                       kPerformanceCounter, 16, 0, 100, 801);
     }},
    {"random write", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<RandomWriteTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                        kPerformanceCounter, 16, 20, 30, 801);
     },
     3276, 4915},  // 30 % of 16384 is 4915.2
    {"seek", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<SeekTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(), kPerformanceCounter,
                                                 0, kDiskBlocks - 1, 1000, 1, 201);
     }},
    {"cache hit", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<CacheHitTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                     kPerformanceCounter, 16, 201);
     }},
    {"read buffer", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<ReadBufferTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                       kPerformanceCounter, 8, 201);
     },
     0, 0, false},
    {"write buffer", "DISK512",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<WriteBufferTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                        kPerformanceCounter, 8, 201);
     },
     0, 0, false},
    // 4096-byte blocks: the threads size their buffers and ranges by the unit's block length.
    {"sequential read, 4 KiB blocks", "DISK4K",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<SequentialReadTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                           kPerformanceCounter, 16, 0, 100, 201);
     }},
    {"random write, 4 KiB blocks", "DISK4K",
     [](TargetRun& r) -> std::unique_ptr<TestThread> {
         return std::make_unique<RandomWriteTestThread>(r.Window(), r.GetDevice(), r.Low(), r.High(),
                                                        kPerformanceCounter, 2, 50, 60, 801);
     },
     1024, 1228},  // of 2048 blocks: 50 % is 1024, 60 % is 1228.8
};

// Every block outside [first, end) is unchanged; inside, each block is either unchanged or
// all zeros (the threads write zero-filled buffers), and some were written.
void ExpectWrittenOnlyInside(const std::string& before, const std::string& after, std::uint32_t blockLength,
                             std::uint64_t first, std::uint64_t end) {
    ASSERT_EQ(before.size(), after.size());
    const std::uint64_t blocks = before.size() / blockLength;
    std::uint64_t zeroed = 0;
    for (std::uint64_t b = 0; b < blocks; ++b) {
        const std::string was = before.substr(b * blockLength, blockLength);
        const std::string is = after.substr(b * blockLength, blockLength);
        if (was == is) continue;
        ASSERT_TRUE(b >= first && b < end) << "block " << b << " changed outside " << first << "-" << end;
        ASSERT_EQ(is, std::string(blockLength, '\0')) << "block " << b << " holds neither old data nor zeros";
        ++zeroed;
    }
    EXPECT_GT(zeroed, 0u);
}

TEST(EngineOnTarget, EveryTestThreadRunsToItsEnd) {
    for (const ThreadCase& c : kThreadCases) {
        SCOPED_TRACE(c.name);
        SEKTRA_REQUIRE_UNIT(url, c.unit);
        const std::string file = test::UnitFile(c.unit);
        TargetRun run(url);
        ASSERT_TRUE(run.Open()) << run.Error();
        const bool writes = c.endWritten > 0;
        if (writes) run.GetDevice()->SetWriteProtected(false);
        const std::string before = writes ? ReadWholeFile(file) : std::string();

        std::unique_ptr<TestThread> thread = c.make(run);
        const PostedMessage message = run.Run(*thread);
        if (c.finishes) {
            EXPECT_EQ(message.message, WM_TEST_FINISHED) << "wParam " << message.wParam << "; " << run.Error();
            TestSnapshot s = {};
            thread->GetSnapshot(&s);
            EXPECT_GT(Commands(s), 0u);
        } else {
            EXPECT_TRUE(message.message == WM_TEST_FINISHED || message.message == WM_TEST_FAILED);
        }
        if (writes) {
            std::uint32_t lastLba = 0, blockLength = 0;
            ASSERT_EQ(run.GetDevice()->ReadCapacity(&lastLba, &blockLength), 0);
            ExpectWrittenOnlyInside(before, ReadWholeFile(file), blockLength, c.firstWritten, c.endWritten);
        }
    }
}

TEST(EngineOnTarget, SequentialReadCoversTheWholeUnit) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    TargetRun run(url);
    ASSERT_TRUE(run.Open()) << run.Error();
    SequentialReadTestThread thread(run.Window(), run.GetDevice(), run.Low(), run.High(), kPerformanceCounter, 128, 0,
                                    100, 201);
    EXPECT_EQ(run.Run(thread).message, WM_TEST_FINISHED);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[0], 0u);
    EXPECT_EQ(s.words[1], kDiskBlocks - 1);
    EXPECT_GE(Commands(s), kDiskBlocks / 128);  // a command too fast for the clock is sent again
    EXPECT_EQ(s.words[9], 1000u);               // progress complete
}

// A target that drops the connection in the middle of a run: the next command's control call
// fails, and the run ends with WM_TEST_FAILED 2 at once instead of waiting for a time-out.
TEST(EngineOnTarget, ADroppedConnectionEndsTheRunAsFailed) {
    SEKTRA_REQUIRE_UNIT(url, "SCRATCH");
    IscsiUrl parsed;
    ASSERT_TRUE(ParseIscsiUrl(url, &parsed, nullptr));
    TargetRun run(url);
    ASSERT_TRUE(run.Open()) << run.Error();
    RandomReadTestThread thread(run.Window(), run.GetDevice(), run.Low(), run.High(), kPerformanceCounter, 16, 0, 100,
                                801);
    const auto started = std::chrono::steady_clock::now();
    std::thread measuring([&] { run.Run(thread); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    // tgtd refuses even a forced delete while a command is in flight on the unit: try again
    // until it meets the unit between two commands.
    std::string said;
    bool dropped = false;
    for (int attempt = 0; attempt < 200 && !dropped; ++attempt) {
        dropped = test::TargetAdmin("--mode target --op delete --force --tid 3", &said);
        if (!dropped) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    measuring.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    // Serve the unit again for whatever runs after this test.
    test::TargetAdmin("--mode target --op new --tid 3 --targetname " + parsed.targetIqn);
    test::TargetAdmin("--mode target --op bind --tid 3 --initiator-address ALL");
    test::TargetAdmin("--mode logicalunit --op new --tid 3 --lun 1 --backing-store " + test::UnitFile("SCRATCH"));
    ASSERT_TRUE(dropped) << said;

    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    ASSERT_LT(Commands(s), RandomTestThread::kCommands) << "the run ended before the connection was dropped";
    EXPECT_LT(seconds, 5.0);
    EXPECT_NE(run.Error().find("lost"), std::string::npos) << run.Error();
}

// A unit without a drive buffer refuses READ BUFFER and WRITE BUFFER (ILLEGAL REQUEST, invalid
// operation code): a buffer test on it fails instead of timing refusals.
TEST(EngineOnTarget, BufferTestsOnAUnitWithoutABufferFail) {
    SEKTRA_REQUIRE_UNIT(url, "DISK512");
    for (bool read : {true, false}) {
        SCOPED_TRACE(read ? "read buffer" : "write buffer");
        TargetRun run(url);
        ASSERT_TRUE(run.Open()) << run.Error();
        std::unique_ptr<TestThread> thread;
        if (read) {
            thread = std::make_unique<ReadBufferTestThread>(run.Window(), run.GetDevice(), run.Low(), run.High(),
                                                            kPerformanceCounter, 8, 201);
        } else {
            thread = std::make_unique<WriteBufferTestThread>(run.Window(), run.GetDevice(), run.Low(), run.High(),
                                                             kPerformanceCounter, 8, 201);
        }
        const PostedMessage message = run.Run(*thread);
        EXPECT_EQ(message.message, WM_TEST_FAILED);
        EXPECT_TRUE(message.wParam == kFailedToStart || message.wParam == kCommandFailed) << message.wParam;
    }
}

TEST(EngineOnTarget, WritingToAReadOnlyUnitFailsTheRun) {
    SEKTRA_REQUIRE_UNIT(url, "READONLY");
    const std::string before = ReadWholeFile(test::UnitFile("READONLY"));
    TargetRun run(url);
    ASSERT_TRUE(run.Open()) << run.Error();
    run.GetDevice()->SetWriteProtected(false);
    SequentialWriteTestThread thread(run.Window(), run.GetDevice(), run.Low(), run.High(), kPerformanceCounter, 128,
                                     0, 100, 201);
    const PostedMessage message = run.Run(thread);
    EXPECT_EQ(message.message, WM_TEST_FAILED);
    EXPECT_EQ(message.wParam, kCommandFailed);
    EXPECT_EQ(ReadWholeFile(test::UnitFile("READONLY")), before);
}

TEST(EngineOnTarget, RandomWriteReachesTheLastTenthOfAUnitBeyond2TiB) {
    SEKTRA_REQUIRE_UNIT(url, "BIG");
    const std::string file = test::UnitFile("BIG");
    TargetRun run(url);
    ASSERT_TRUE(run.Open()) << run.Error();
    run.GetDevice()->SetWriteProtected(false);
    RandomWriteTestThread thread(run.Window(), run.GetDevice(), run.Low(), run.High(), kPerformanceCounter, 16, 90,
                                 100, 801);
    EXPECT_EQ(run.Run(thread).message, WM_TEST_FINISHED);
    // The file is sparse: the first byte written, wherever it is, marks the lowest block reached.
    const std::uint64_t size = 3ull << 40;
    const int fd = ::open(file.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    const off_t data = ::lseek(fd, 0, SEEK_DATA);
    ::close(fd);
    ASSERT_GE(data, 0) << "nothing was written";
    EXPECT_GE(static_cast<std::uint64_t>(data), size / 10 * 9 / 4096 * 4096);  // at worst a page early
    EXPECT_LT(static_cast<std::uint64_t>(data), size);
}

}  // namespace
}  // namespace sektra
