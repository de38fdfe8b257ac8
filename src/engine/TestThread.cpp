#include "engine/TestThread.h"

#include <cstring>

#include "device/Sense.h"
#include "engine/Statistics.h"
#include "engine/TimerMode.h"

namespace sektra {

TestThread::TestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                       std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t totalSteps)
    : WorkerThread(window),
      device(device),
      ticksPerSecond(JoinHalves(ticksPerSecondLow, ticksPerSecondHigh)),
      mode(mode),
      services(&GetSystemServices()),
      progress(totalSteps) {}

TestThread::~TestThread() { Stop(); }

void TestThread::ResetCounters() {
    commandCount.store(0, std::memory_order_relaxed);
    Store(maximum, 0);
    Store(average, 0);
    Store(minimum, 0xFFFFFFFFu);
    progress.Reset();
    latency.Clear();
    wallTicks.store(0, std::memory_order_relaxed);
    firstStamp = kNoStamp;
    totalTicks = 0;
    totalBytes = 0;
    startStamp = 0;
    endStamp = 1;
}

std::uint32_t TestThread::Fail(std::uintptr_t reason, RunBuffer* buffer) {
    if (buffer != nullptr) buffer->Release();
    Post(WM_TEST_FAILED, reason, 0);
    return 0xFFFFFFFFu;
}

std::uint32_t TestThread::Finish(RunBuffer* buffer) {
    buffer->Release();
    progress.Finish();
    Post(WM_TEST_FINISHED, 0, 0);
    return 0;
}

void TestThread::PrepareToSend(ScsiRequest* request, std::uint32_t length) {
    request->sptd.DataTransferLength = length;
    request->sptd.SenseInfoLength = kSenseInfoLength;
    request->sptd.ScsiStatus = 0;
    std::memset(request->sense, 0, sizeof(request->sense));
}

bool TestThread::IsCleanTransfer(int result, const ScsiRequest& request, std::uint32_t length) {
    // A short transfer moved fewer bytes than the rate would count.
    return IsCleanRequest(result, request) && request.sptd.DataTransferLength == length;
}

bool TestThread::TransferLength(std::uint32_t blocks, std::uint32_t* blockLength, std::uint32_t* bytes) {
    std::uint64_t deviceLastLba = 0;
    if (device->GetCapacity(&deviceLastLba, blockLength) != 0 || *blockLength == 0) return false;
    const std::uint64_t wanted = std::uint64_t{blocks} * *blockLength;
    if (wanted > 0xFFFFFFFFu) return false;
    *bytes = static_cast<std::uint32_t>(wanted);
    return true;
}

void TestThread::BeginMeasuring() { progress.Start(services->Time()); }

std::uint32_t TestThread::TakeRateSample(std::uint64_t ticks, std::uint64_t bytes) {
    totalTicks += ticks;
    totalBytes += bytes;
    const std::uint32_t rate = RateKBps(ticksPerSecond, bytes, ticks);
    Store(average, RateKBps(ticksPerSecond, totalBytes, totalTicks));
    if (rate > Load(maximum)) Store(maximum, rate);
    if (rate < Load(minimum)) Store(minimum, rate);
    return rate;
}

void TestThread::FillCounters(TestSnapshot* snapshot, bool minimumFirst) const {
    const std::uint64_t count = commandCount.load(std::memory_order_relaxed);
    std::uint32_t lowest = Load(minimum);
    if (lowest == 0xFFFFFFFFu) lowest = 0;
    snapshot->words[4] = static_cast<std::uint32_t>(count);
    snapshot->words[5] = static_cast<std::uint32_t>(count >> 32);
    snapshot->words[6] = minimumFirst ? lowest : Load(maximum);
    snapshot->words[7] = Load(average);
    snapshot->words[8] = minimumFirst ? Load(maximum) : lowest;
    snapshot->words[9] = progress.Progress();
    snapshot->words[10] = static_cast<std::uint32_t>(progress.EstimatedFinish());
    snapshot->words[11] = static_cast<std::uint32_t>(progress.ElapsedSeconds());
}

}  // namespace sektra
