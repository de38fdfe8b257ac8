// The worker thread's life: start, stop while a command is in flight, restart, exit codes, and
// the one message that ends every run.
#include "engine/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "EngineFixture.h"
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"

namespace sektra {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// A worker whose Run ends when told to, or at once.
class SimpleWorker final : public WorkerThread {
public:
    explicit SimpleWorker(WindowHandle window, std::uint32_t result) : WorkerThread(window), result_(result) {}
    ~SimpleWorker() override { Stop(); }
    std::uint32_t Run() override {
        runs_.fetch_add(1);
        while (waitForStop_ && IsRunning()) std::this_thread::yield();
        Post(WM_TEST_FINISHED, 0, 0);
        return result_;
    }
    bool waitForStop_ = false;
    std::atomic<int> runs_{0};

private:
    const std::uint32_t result_;
};

TEST(WorkerThreadTest, StopWithoutThreadAndSecondStart) {
    MessageQueue window;
    SimpleWorker worker(&window, 7);
    EXPECT_EQ(worker.Stop(), 0u);
    EXPECT_FALSE(worker.IsRunning());
    worker.waitForStop_ = true;
    ASSERT_EQ(worker.Start(), 0);
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_EQ(worker.Start(), -1);  // the running thread is left alone
    EXPECT_EQ(worker.Stop(), 7u);
    EXPECT_FALSE(worker.HasThread());
    EXPECT_EQ(worker.runs_.load(), 1);
    EXPECT_EQ(window.TakeAll().size(), 1u);
}

TEST(WorkerThreadTest, RunThatEndsByItselfPostsAndKeepsItsExitCode) {
    MessageQueue window;
    SimpleWorker worker(&window, 0xFFFFFFFFu);
    ASSERT_EQ(worker.Start(), 0);
    PostedMessage message;
    ASSERT_TRUE(window.Wait(&message, seconds(30)));
    EXPECT_EQ(message.message, WM_TEST_FINISHED);
    EXPECT_EQ(worker.Stop(), 0xFFFFFFFFu);
    // A window that refuses the message changes nothing for Stop.
    window.Refuse(true);
    ASSERT_EQ(worker.Start(), 0);
    EXPECT_EQ(worker.Stop(), 0xFFFFFFFFu);
    EXPECT_EQ(worker.runs_.load(), 2);
}

TEST(WorkerThreadTest, StopReturnsOnlyAfterTheCommandInFlightAndItsMessage) {
    EngineFixture disk(100000);
    SequentialReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 16, 0, 100,
                                    201);
    FaultRule hold;
    hold.action = FaultAction::Hold;
    hold.opcode = 0x28;
    // The run's READ CAPACITY, then the sixth READ(10).
    hold.atCommand = static_cast<std::int64_t>(disk.Emulated().Log().Total()) + 1 + 5;
    thread.UseServices(disk.Services());
    disk.Emulated().AddFault(hold);
    ASSERT_EQ(thread.Start(), 0);
    ASSERT_TRUE(disk.Emulated().WaitUntilHeld(seconds(30)));

    std::promise<std::uint32_t> stopped;
    std::future<std::uint32_t> exitCode = stopped.get_future();
    std::thread ui([&] { stopped.set_value(thread.Stop()); });
    // Stop cannot return while the command is held, and nothing has been posted yet.
    EXPECT_EQ(exitCode.wait_for(milliseconds(200)), std::future_status::timeout);
    EXPECT_TRUE(disk.Queue().TakeAll().empty());
    disk.Emulated().Release();
    EXPECT_EQ(exitCode.get(), 0u);
    ui.join();

    // The held command completed and counted; no further command was sent.
    const std::vector<PostedMessage> messages = disk.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_TEST_FINISHED);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[4], 6u);
    EXPECT_EQ(disk.Measured().size(), 6u);
    EXPECT_EQ(disk.Services().OutstandingBuffers(), 0);
}

TEST(WorkerThreadTest, RestartBeginsAFreshRun) {
    EngineFixture disk(100000);
    RandomReadTestThread thread(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, kPerformanceCounter, 8, 0, 100, 801);
    thread.UseServices(disk.Services());
    for (int run = 0; run < 2; ++run) {
        ASSERT_EQ(thread.Start(), 0);
        PostedMessage message;
        ASSERT_TRUE(disk.Queue().Wait(&message, seconds(60)));
        EXPECT_EQ(message.message, WM_TEST_FINISHED);
        EXPECT_EQ(thread.Stop(), 0u);
        TestSnapshot s = {};
        thread.GetSnapshot(&s);
        EXPECT_EQ(s.words[4], 10000u) << "run " << run;
        EXPECT_EQ(s.words[9], 1000u);
        EXPECT_EQ(thread.GetSamples()->Get(3), 10000u);
    }
    EXPECT_TRUE(disk.Messages().empty());
    EXPECT_EQ(disk.Measured().size(), 20000u);
}

TEST(WorkerThreadTest, DestroyingARunningTestStopsItFirst) {
    EngineFixture disk(100000);
    auto thread = std::make_unique<SequentialReadTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0,
                                                             kPerformanceCounter, 1, 0, 100, 201);
    thread->UseServices(disk.Services());
    ASSERT_EQ(thread->Start(), 0);
    thread.reset();
    EXPECT_EQ(disk.Messages().size(), 1u);
}

}  // namespace
}  // namespace sektra
