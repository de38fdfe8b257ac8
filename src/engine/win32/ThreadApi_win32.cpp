#include <windows.h>

#include <new>

#include "engine/ThreadApi.h"

namespace sektra {
namespace {

struct StartRecord {
    ThreadProcedure procedure;
    void* argument;
};

DWORD WINAPI Trampoline(LPVOID parameter) {
    const StartRecord record = *static_cast<StartRecord*>(parameter);
    delete static_cast<StartRecord*>(parameter);
    return record.procedure(record.argument);
}

}  // namespace

ThreadHandle StartThread(ThreadProcedure procedure, void* argument, std::uint32_t* threadId) {
    auto* record = new (std::nothrow) StartRecord{procedure, argument};
    if (record == nullptr) return nullptr;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, Trampoline, record, 0, &id);
    if (thread == nullptr) {
        delete record;
        return nullptr;
    }
    *threadId = id;
    return thread;
}

std::uint32_t JoinThread(ThreadHandle thread) {
    HANDLE handle = static_cast<HANDLE>(thread);
    DWORD exitCode = 0;
    if (WaitForSingleObject(handle, INFINITE) != WAIT_OBJECT_0 || !GetExitCodeThread(handle, &exitCode)) {
        // A handle that cannot be waited on leaves nothing to wait for but the thread itself.
        TerminateThread(handle, exitCode);
    }
    CloseHandle(handle);
    return exitCode;
}

}  // namespace sektra
