#include "engine/RepeatTestThread.h"

#include <cstring>

namespace sektra {

RepeatTestThread::RepeatTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                   std::uint32_t ticksPerSecondHigh, std::uint32_t mode, std::uint32_t size,
                                   std::uint32_t histogramCells, Kind kind)
    : TestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kTotalSteps),
      kind(kind),
      transferSize(kind == Kind::CacheHit ? size : size * 1024),
      sampleTable(histogramCells) {}

RepeatTestThread::~RepeatTestThread() { Stop(); }

std::uint32_t RepeatTestThread::Run() {
    ResetCounters();
    sampleTable.Reset(0);
    if (ticksPerSecond == 0 || !sampleTable.IsAllocated()) return Fail(kFailedToStart);

    std::uint32_t bytes = transferSize;
    if (kind == Kind::CacheHit) {
        // A READ(10) carries at most 65535 blocks.
        std::uint32_t blockLength = 0;
        if (transferSize == 0 || transferSize > 0xFFFF || !TransferLength(transferSize, &blockLength, &bytes)) {
            return Fail(kFailedToStart);
        }
    }
    // Zero-filled: the write buffer test writes zeros.
    RunBuffer buffer(*services, bytes);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);

    ScsiRequest request;
    std::uint8_t* cdb = request.sptd.Cdb;
    if (kind == Kind::CacheHit) {
        InitScsiRequest(&request, 10, kScsiIoctlDataIn, buffer.Data(), bytes, kMeasureTimeOutSeconds);
        cdb[0] = 0x28;  // READ(10) at LBA 0
        const std::uint16_t count = device->SwapBytes16(static_cast<std::uint16_t>(transferSize));
        std::memcpy(&cdb[7], &count, 2);
    } else {
        const bool read = kind == Kind::ReadBuffer;
        InitScsiRequest(&request, 10, read ? kScsiIoctlDataIn : kScsiIoctlDataOut, buffer.Data(), bytes,
                        kMeasureTimeOutSeconds);
        cdb[0] = read ? 0x3C : 0x3B;
        cdb[1] = 0x02;  // data mode, buffer 0, offset 0
        // The length field has 24 bits: 16 MB or more keeps only its low 24 bits.
        const std::uint32_t length = device->SwapBytes32(bytes);
        std::memcpy(&cdb[5], &length, 4);
        cdb[5] = 0;
    }

    if (kind == Kind::CacheHit) {
        // Brings LBA 0 into the drive's cache; a stop request waits until these are done.
        for (int i = 0; i < kWarmUpCommands; ++i) {
            PrepareToSend(&request, bytes);
            if (!IsCleanTransfer(device->ExecutePassThrough(&request), request, bytes)) {
                return Fail(kFailedToStart, &buffer);
            }
        }
    }

    std::uint64_t pendingBytes = 0;
    BeginMeasuring();
    while (GoOn()) {
        if (commandCount.load(std::memory_order_relaxed) >= kCommands) break;
        std::uint64_t ticks;
        if (!TimeCommand(&request, bytes, &ticks)) return Fail(kCommandFailed, &buffer);
        pendingBytes += bytes;
        // A command too fast for the clock gives no sample (its bytes go into the next one)
        // but it is done, so it counts toward progress: a run of such commands still ends full.
        if (ticks != 0) {
            const std::uint32_t rate = TakeRateSample(ticks, pendingBytes);
            sampleTable.Set(0, 0, Load(maximum));
            sampleTable.Set(1, 0, Load(average));
            sampleTable.Set(2, 0, Load(minimum));
            sampleTable.Count(0, rate, kCellWidth);
            pendingBytes = 0;
        }
        const std::uint64_t done = commandCount.load(std::memory_order_relaxed);
        RecordProgress(done / 5, done == kCommands);
    }
    return Finish(&buffer);
}

void RepeatTestThread::GetSnapshot(TestSnapshot* snapshot) const { FillCounters(snapshot, false); }

}  // namespace sektra
