#pragma once
// Starting a thread and waiting for its end: CreateThread and a wait function on Windows,
// std::thread elsewhere.
#include <cstdint>

namespace sektra {

using ThreadHandle = void*;
using ThreadProcedure = std::uint32_t (*)(void* argument);

// Runs procedure(argument) on a new thread; its result becomes the thread's exit code. Returns
// null when no thread could be created. `threadId` receives the thread's id.
ThreadHandle StartThread(ThreadProcedure procedure, void* argument, std::uint32_t* threadId);

// Blocks until the thread has ended, releases the handle and returns the exit code.
std::uint32_t JoinThread(ThreadHandle thread);

}  // namespace sektra
