#include "engine/SeekTestThread.h"

#include <cstring>

#include "engine/RangeRandom.h"
#include "engine/Statistics.h"

namespace sektra {

SeekTestThread::SeekTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                               std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t firstLba,
                               std::uint32_t lastLba, std::uint32_t seekCount, std::uint32_t randomSeeks,
                               std::uint32_t histogramCells)
    : TestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kTotalSteps),
      firstLba(firstLba),
      lastLba(lastLba),
      seekCount(seekCount),
      randomSeeks(randomSeeks),
      currentLba(firstLba),
      sampleTable(histogramCells) {}

SeekTestThread::~SeekTestThread() { Stop(); }

std::uint32_t SeekTestThread::Run() {
    ResetCounters();
    sampleTable.Reset(0);
    currentLba.store(firstLba, std::memory_order_relaxed);

    // Seek times divide by the frequency.
    if (ticksPerSecond == 0 || !sampleTable.IsAllocated()) return Fail(kFailedToStart);
    std::uint32_t deviceLastLba = 0, blockLength = 0;
    if (device->ReadCapacity(&deviceLastLba, &blockLength) != 0) return Fail(kFailedToStart);
    RunBuffer buffer(*services, 256);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);
    // Untimed, so that the first timed seek starts from firstLba.
    IoBuffer io = {};
    io.data = buffer.Data();
    if (device->Seek10(&io, firstLba) != 0) return Fail(kFailedToStart, &buffer);

    ScsiRequest request;
    InitScsiRequest(&request, 10, kScsiIoctlDataIn, buffer.Data(), 0, kMeasureTimeOutSeconds);
    request.sptd.Cdb[0] = 0x2B;
    RangeRandom targets(firstLba, lastLba, kSeed);

    BeginMeasuring();
    while (GoOn()) {
        if (commandCount.load(std::memory_order_relaxed) >= seekCount) break;
        std::uint32_t target;
        if (randomSeeks != 0) {
            target = targets.Next();
        } else {
            target = currentLba.load(std::memory_order_relaxed) == firstLba ? lastLba : firstLba;
        }
        currentLba.store(target, std::memory_order_relaxed);
        const std::uint32_t bigEndianLba = device->SwapBytes32(target);
        std::memcpy(&request.sptd.Cdb[2], &bigEndianLba, 4);

        std::uint64_t ticks;
        if (!TimeCommand(&request, &ticks)) return Fail(kCommandFailed, &buffer);
        // A seek too fast for the clock still counts, in the divisor of the average too.
        if (ticks == 0) continue;

        const std::uint64_t done = commandCount.load(std::memory_order_relaxed);
        totalTicks += ticks;
        const std::uint32_t seekTime = SeekMicroseconds(ticks, ticksPerSecond);
        Store(average, AverageSeekMicroseconds(totalTicks, ticksPerSecond, done));
        if (seekTime < Load(minimum)) Store(minimum, seekTime);
        if (seekTime > Load(maximum)) Store(maximum, seekTime);
        sampleTable.Set(0, 0, Load(minimum));
        sampleTable.Set(1, 0, Load(average));
        sampleTable.Set(2, 0, Load(maximum));
        sampleTable.Count(0, seekTime, kCellWidth);
        RecordProgress(done * kTotalSteps / seekCount, done == seekCount);
    }
    return Finish(&buffer);
}

void SeekTestThread::GetSnapshot(TestSnapshot* snapshot) const {
    snapshot->words[0] = firstLba;
    snapshot->words[1] = lastLba;
    snapshot->words[2] = currentLba.load(std::memory_order_relaxed);
    FillCounters(snapshot, true);
}

}  // namespace sektra
