#include <atomic>
#include <new>
#include <system_error>
#include <thread>

#include "engine/ThreadApi.h"

namespace sektra {
namespace {

struct NativeThread {
    std::thread thread;
    std::uint32_t exitCode = 0;
};

std::atomic<std::uint32_t> nextThreadId{1};

}  // namespace

ThreadHandle StartThread(ThreadProcedure procedure, void* argument, std::uint32_t* threadId) {
    auto* native = new (std::nothrow) NativeThread;
    if (native == nullptr) return nullptr;
    try {
        native->thread = std::thread([native, procedure, argument] { native->exitCode = procedure(argument); });
    } catch (const std::system_error&) {
        delete native;
        return nullptr;
    }
    *threadId = nextThreadId.fetch_add(1, std::memory_order_relaxed);
    return native;
}

std::uint32_t JoinThread(ThreadHandle thread) {
    auto* native = static_cast<NativeThread*>(thread);
    native->thread.join();
    const std::uint32_t exitCode = native->exitCode;
    delete native;
    return exitCode;
}

}  // namespace sektra
