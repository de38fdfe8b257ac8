#pragma once
// The thread a test measures on. The window starts it, watches the test's counters on its timer
// and stops it; the thread reports its end with exactly one message to the window.
#include <atomic>
#include <cstdint>

#include "engine/ThreadApi.h"
#include "engine/WindowMessages.h"

namespace sektra {

class WorkerThread {
public:
    explicit WorkerThread(WindowHandle window);
    // Stops a thread still held. Subclasses whose Run uses their own members stop in their own
    // destructor, before those members go.
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts Run on a new thread: 0, or -1 when a thread is still held or none could be made.
    virtual int Start();
    // Asks the run to end and blocks until the thread has ended (the command in flight
    // completes first); returns the thread's exit code, 0 when no thread was started. The
    // thread's last message is already posted when Stop returns.
    virtual std::uint32_t Stop();
    virtual bool SetRunning(bool running);
    // The measurement: 0 after a normal end, 0xFFFFFFFF after a failure.
    virtual std::uint32_t Run() = 0;
    // Posts to the owner window: 0, or -1 when it could not be posted.
    virtual int Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    bool IsRunning() const { return running.load(std::memory_order_relaxed); }
    bool HasThread() const { return threadHandle != nullptr; }

protected:
    static std::uint32_t ThreadProcedure(void* argument);

    ThreadHandle threadHandle = nullptr;
    std::uint32_t threadId = 0;
    WindowHandle window;
    // Written by the window's thread, read by the worker once per command.
    std::atomic<bool> running{false};
};

}  // namespace sektra
