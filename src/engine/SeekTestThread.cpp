#include "engine/SeekTestThread.h"

#include "device/ByteOrder.h"
#include "engine/RangeRandom.h"
#include "engine/Statistics.h"
#include "engine/TransferCommand.h"

namespace sektra {

SeekTestThread::SeekTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                               std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint64_t firstLba,
                               std::uint64_t lastLba, std::uint32_t seekCount, std::uint32_t randomSeeks,
                               std::uint32_t histogramCells)
    : TestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kTotalSteps),
      firstLba(firstLba),
      lastLba(lastLba),
      seekCount(seekCount),
      randomSeeks(randomSeeks),
      method(ChooseSeekMethod(*device)),
      currentLba(firstLba),
      sampleTable(histogramCells) {}

SeekTestThread::~SeekTestThread() { Stop(); }

std::uint32_t SeekTestThread::SetTarget(ScsiRequest* request, std::uint64_t target) const {
    if (method == SeekMethod::Access) {
        // From the medium: a block read a moment ago must not come from the drive's cache.
        SetTransferCommand(request, kRead10, target, 1, true);
        return blockLength;
    }
    request->sptd.CdbLength = 10;
    request->sptd.Cdb[0] = 0x2B;
    StoreBigEndian32(&request->sptd.Cdb[2], static_cast<std::uint32_t>(target));
    return 0;
}

std::uint32_t SeekTestThread::Run() {
    ResetCounters();
    sampleTable.Reset(0);
    currentLba.store(firstLba, std::memory_order_relaxed);

    // Seek times divide by the frequency; SEEK(10) addresses 32 bits only.
    if (ticksPerSecond == 0 || !sampleTable.IsAllocated()) return Fail(kFailedToStart);
    if (method == SeekMethod::Seek && (firstLba > kLast32BitLba || lastLba > kLast32BitLba)) {
        return Fail(kFailedToStart);
    }
    std::uint64_t deviceLastLba = 0;
    if (device->GetCapacity(&deviceLastLba, &blockLength) != 0) return Fail(kFailedToStart);
    if (method == SeekMethod::Access && blockLength == 0) return Fail(kFailedToStart);
    RunBuffer buffer(*services, method == SeekMethod::Access ? blockLength : 256);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);

    ScsiRequest request;
    InitScsiRequest(&request, 10, kScsiIoctlDataIn, buffer.Data(), 0, kMeasureTimeOutSeconds);
    // Untimed, so that the first timed positioning starts from firstLba.
    const std::uint32_t length = SetTarget(&request, firstLba);
    PrepareToSend(&request, length);
    if (!IsCleanTransfer(device->ExecutePassThrough(&request), request, length)) {
        return Fail(kFailedToStart, &buffer);
    }
    RangeRandom targets(firstLba, lastLba, kSeed);

    BeginMeasuring();
    while (GoOn()) {
        if (commandCount.load(std::memory_order_relaxed) >= seekCount) break;
        std::uint64_t target;
        if (randomSeeks != 0) {
            target = targets.Next();
        } else {
            target = currentLba.load(std::memory_order_relaxed) == firstLba ? lastLba : firstLba;
        }
        currentLba.store(target, std::memory_order_relaxed);
        const std::uint32_t bytes = SetTarget(&request, target);

        std::uint64_t ticks;
        if (!TimeCommand(&request, bytes, &ticks)) return Fail(kCommandFailed, &buffer);
        // A positioning too fast for the clock still counts, in the divisor of the average and
        // toward progress, but gives no sample.
        const std::uint64_t done = commandCount.load(std::memory_order_relaxed);
        if (ticks != 0) {
            totalTicks += ticks;
            const std::uint32_t seekTime = SeekMicroseconds(ticks, ticksPerSecond);
            Store(average, AverageSeekMicroseconds(totalTicks, ticksPerSecond, done));
            if (seekTime < Load(minimum)) Store(minimum, seekTime);
            if (seekTime > Load(maximum)) Store(maximum, seekTime);
            sampleTable.Set(0, 0, Load(minimum));
            sampleTable.Set(1, 0, Load(average));
            sampleTable.Set(2, 0, Load(maximum));
            sampleTable.Count(0, seekTime, kCellWidth);
        }
        RecordProgress(done * kTotalSteps / seekCount, done == seekCount);
    }
    return Finish(&buffer);
}

void SeekTestThread::GetSnapshot(TestSnapshot* snapshot) const {
    SetSnapshotBlock(snapshot, 0, firstLba);
    SetSnapshotBlock(snapshot, 1, lastLba);
    SetSnapshotBlock(snapshot, 2, currentLba.load(std::memory_order_relaxed));
    FillCounters(snapshot, true);
}

}  // namespace sektra
