#include "engine/WorkerThread.h"

namespace sektra {

WorkerThread::WorkerThread(WindowHandle window) : window(window) {}

WorkerThread::~WorkerThread() { Stop(); }

int WorkerThread::Start() {
    if (threadHandle != nullptr) return -1;
    // The flag goes up before the thread exists: a worker that looked at it before Start had
    // set it would end its run at once without measuring anything.
    SetRunning(true);
    threadHandle = StartThread(&WorkerThread::ThreadProcedure, this, &threadId);
    if (threadHandle == nullptr) {
        SetRunning(false);
        threadId = 0;
        return -1;
    }
    return 0;
}

std::uint32_t WorkerThread::Stop() {
    if (threadHandle == nullptr) return 0;
    SetRunning(false);
    const std::uint32_t exitCode = JoinThread(threadHandle);
    threadHandle = nullptr;
    threadId = 0;
    return exitCode;
}

bool WorkerThread::SetRunning(bool value) {
    running.store(value, std::memory_order_relaxed);
    return value;
}

int WorkerThread::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return PostWindowMessage(window, message, wParam, lParam) ? 0 : -1;
}

std::uint32_t WorkerThread::ThreadProcedure(void* argument) {
    if (argument == nullptr) return 0xFFFFFFFFu;
    return static_cast<WorkerThread*>(argument)->Run();
}

}  // namespace sektra
