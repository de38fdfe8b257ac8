// The engine's Win32 pieces under a real message loop: the worker thread posting to a window,
// the window timer's ids, the clocks, and a whole test run against an emulated disk.
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>

#include "device/Device.h"
#include "emulator/EmulatedPort.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/WorkerThread.h"
#include "engine/win32/UiTimer.h"

namespace sektra {
namespace {

// A plain hidden window whose messages the test pumps itself.
class TestWindow {
public:
    TestWindow() {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"SektraEngineTest";
        RegisterClassW(&windowClass);
        hwnd = CreateWindowExW(0, L"SektraEngineTest", L"engine", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() { DestroyWindow(hwnd); }

    // Pumps the queue until a message in [first, last] for this window arrives (or the time is up).
    bool WaitFor(UINT first, UINT last, MSG* out, DWORD timeoutMs = 60000) {
        const DWORD start = GetTickCount();
        for (;;) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == hwnd && msg.message >= first && msg.message <= last) {
                    *out = msg;
                    return true;
                }
                DispatchMessageW(&msg);
            }
            if (GetTickCount() - start > timeoutMs) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    // Every message of ours still queued.
    int CountQueued(UINT first, UINT last) {
        int count = 0;
        MSG msg;
        while (PeekMessageW(&msg, hwnd, first, last, PM_REMOVE)) ++count;
        return count;
    }

    HWND hwnd;
};

class PostingWorker final : public WorkerThread {
public:
    PostingWorker(HWND window, std::uintptr_t failure) : WorkerThread(window), failure_(failure) {}
    ~PostingWorker() override { Stop(); }
    std::uint32_t Run() override {
        if (failure_ != 0) {
            Post(WM_TEST_FAILED, failure_, 0);
            return 0xFFFFFFFFu;
        }
        while (IsRunning()) Sleep(1);
        Post(WM_TEST_FINISHED, 0, 0);
        return 0;
    }

private:
    const std::uintptr_t failure_;
};

TEST(Win32EngineTest, WorkerPostsItsEndToTheWindowBeforeStopReturns) {
    TestWindow window;
    ASSERT_NE(window.hwnd, nullptr);
    EXPECT_EQ(WM_TEST_FINISHED, static_cast<std::uint32_t>(WM_USER + 200));
    EXPECT_EQ(WM_TEST_FAILED, static_cast<std::uint32_t>(WM_USER + 201));

    PostingWorker running(window.hwnd, 0);
    EXPECT_EQ(running.Stop(), 0u);
    ASSERT_EQ(running.Start(), 0);
    EXPECT_EQ(running.Start(), -1);
    EXPECT_EQ(running.Stop(), 0u);
    // Stop waited for the thread, so its message is already queued.
    MSG msg;
    ASSERT_TRUE(window.WaitFor(WM_TEST_FINISHED, WM_TEST_FAILED, &msg, 0));
    EXPECT_EQ(msg.message, WM_TEST_FINISHED);
    EXPECT_EQ(window.CountQueued(WM_TEST_FINISHED, WM_TEST_FAILED), 0);

    PostingWorker failing(window.hwnd, 2);
    ASSERT_EQ(failing.Start(), 0);
    ASSERT_TRUE(window.WaitFor(WM_TEST_FINISHED, WM_TEST_FAILED, &msg));
    EXPECT_EQ(msg.message, WM_TEST_FAILED);
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_EQ(failing.Stop(), 0xFFFFFFFFu);  // the exit code of the ended thread
}

TEST(Win32EngineTest, UiTimerIdsRiseFromOneHundredAndTicksCarryThem) {
    TestWindow window;
    UiTimer first(window.hwnd);
    UiTimer second(window.hwnd);
    EXPECT_EQ(first.GetId(), 0u);  // not started
    ASSERT_NE(first.Start(10), 0u);
    ASSERT_NE(second.Start(10), 0u);
    EXPECT_EQ(first.GetId(), 100u);
    EXPECT_EQ(second.GetId(), 101u);
    EXPECT_EQ(first.Start(55), 55u);  // already running: left alone
    MSG msg;
    ASSERT_TRUE(window.WaitFor(WM_TIMER, WM_TIMER, &msg));
    EXPECT_TRUE(msg.wParam == 100u || msg.wParam == 101u);
    EXPECT_TRUE(first.Stop());
    EXPECT_FALSE(first.Stop());
    EXPECT_EQ(first.GetId(), 0u);
    {
        UiTimer third(window.hwnd);
        ASSERT_NE(third.Start(10), 0u);
        EXPECT_EQ(third.GetId(), 102u);  // ids are never reused
    }
    UiTimer fourth(window.hwnd);
    ASSERT_NE(fourth.Start(10), 0u);
    EXPECT_EQ(fourth.GetId(), 103u);
}

TEST(Win32EngineTest, ClocksRunForwardInTheirOwnUnits) {
    SystemServices& system = GetSystemServices();
    const std::uint64_t frequency = system.PerformanceFrequency();
    ASSERT_NE(frequency, 0u);
    LARGE_INTEGER qpf;
    QueryPerformanceFrequency(&qpf);
    EXPECT_EQ(frequency, static_cast<std::uint64_t>(qpf.QuadPart));
    EXPECT_TRUE(TimeStampCounterPresent());

    const std::uint64_t tick0 = system.ReadClock(0), counter0 = system.ReadClock(1), tsc0 = system.ReadClock(2);
    Sleep(50);
    const std::uint64_t tick1 = system.ReadClock(0), counter1 = system.ReadClock(1), tsc1 = system.ReadClock(2);
    EXPECT_LE(tick0, 0xFFFFFFFFu);  // the tick count has 32 bits
    EXPECT_GE(tick1 - tick0, 25u);  // milliseconds, in steps of up to 16
    EXPECT_GE(counter1 - counter0, frequency / 40);  // at least 25 ms of the counter
    EXPECT_GT(tsc1, tsc0);
    EXPECT_EQ(system.ReadClock(7) >= counter1, true);  // any other mode is the performance counter

    const std::int32_t before = static_cast<std::int32_t>(std::time(nullptr));
    const std::int32_t now = system.Time();
    EXPECT_GE(now, before);
    EXPECT_LE(now, static_cast<std::int32_t>(std::time(nullptr)));

    void* pages = system.AllocatePages(10000);
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pages) % 4096, 0u);
    EXPECT_EQ(static_cast<unsigned char*>(pages)[9999], 0);
    system.FreePages(pages, 10000);
    EXPECT_EQ(system.AllocatePages(0), nullptr);
}

TEST(Win32EngineTest, SequentialReadRunsToTheEndOnAnEmulatedDisk) {
    TestWindow window;
    EmulatedPort port;
    DeviceConfig config;
    config.blockCount = 20000;
    port.AddDevice(0, config);
    Device device(&port);
    ASSERT_EQ(device.Open(0, 0), 0);
    const std::uint64_t frequency = GetSystemServices().PerformanceFrequency();
    SequentialReadTestThread thread(window.hwnd, &device, static_cast<std::uint32_t>(frequency),
                                    static_cast<std::uint32_t>(frequency >> 32), 1, 128, 0, 100, 201);
    ASSERT_EQ(thread.Start(), 0);
    MSG msg;
    ASSERT_TRUE(window.WaitFor(WM_TEST_FINISHED, WM_TEST_FAILED, &msg));
    EXPECT_EQ(msg.message, WM_TEST_FINISHED);
    EXPECT_EQ(thread.Stop(), 0u);
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    EXPECT_EQ(s.words[1], 19999u);
    EXPECT_EQ(s.words[4], (20000u + 127) / 128);
    EXPECT_EQ(s.words[9], 1000u);
    EXPECT_EQ(port.GetDevice(0, 0)->Log().CountOpcode(0x28), (20000u + 127) / 128);
}

}  // namespace
}  // namespace sektra
