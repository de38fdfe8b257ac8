#include "engine/RandomTestThread.h"

#include <cstring>

#include "engine/RangeRandom.h"

namespace sektra {

RandomTestThread::RandomTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                   std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                   std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                   std::uint32_t endPercent, std::uint32_t histogramCells, std::uint8_t opcode,
                                   std::uint8_t dataIn)
    : TestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kTotalSteps),
      opcode(opcode),
      dataIn(dataIn),
      blocksPerCommand(blocksPerCommand),
      sampleTable(histogramCells) {
    std::uint32_t deviceLastLba = 0, blockLength = 0;
    device->ReadCapacity(&deviceLastLba, &blockLength);
    const std::uint64_t capacity = std::uint64_t{deviceLastLba} + 1;
    first = startPercent * capacity / 100;
    end = endPercent * capacity / 100;
    firstLba = static_cast<std::uint32_t>(first);
    lastLba = static_cast<std::uint32_t>(end - 1);
}

RandomTestThread::~RandomTestThread() { Stop(); }

std::uint32_t RandomTestThread::Run() {
    ResetCounters();
    sampleTable.Reset(0xFFFFFFFFu);
    currentLba.store(firstLba - blocksPerCommand, std::memory_order_relaxed);

    // Every command must lie wholly inside the range, and the range inside what READ(10) reaches.
    const bool rangeUsable = blocksPerCommand != 0 && end >= first + blocksPerCommand && end - 1 <= 0xFFFFFFFFu;
    if (!rangeUsable || ticksPerSecond == 0 || !sampleTable.IsAllocated()) return Fail(kFailedToStart);
    std::uint32_t deviceLastLba = 0, blockLength = 0;
    if (device->ReadCapacity(&deviceLastLba, &blockLength) != 0) return Fail(kFailedToStart);
    const std::uint64_t bytes = std::uint64_t{blocksPerCommand} * blockLength;
    RunBuffer buffer(*services, bytes);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);

    ScsiRequest request;
    InitScsiRequest(&request, 10, dataIn, buffer.Data(), static_cast<std::uint32_t>(bytes), kMeasureTimeOutSeconds);
    request.sptd.Cdb[0] = opcode;
    const std::uint16_t count = device->SwapBytes16(static_cast<std::uint16_t>(blocksPerCommand));
    std::memcpy(&request.sptd.Cdb[7], &count, 2);

    RangeRandom positions(firstLba, lastLba - blocksPerCommand + 1, kSeed);
    std::uint64_t pendingBytes = 0;
    BeginMeasuring();
    while (GoOn()) {
        if (commandCount.load(std::memory_order_relaxed) >= kCommands) break;
        const std::uint32_t lba = positions.Next();
        currentLba.store(lba, std::memory_order_relaxed);
        commandLastLba.store(lba + blocksPerCommand - 1, std::memory_order_relaxed);
        const std::uint32_t bigEndianLba = device->SwapBytes32(lba);
        std::memcpy(&request.sptd.Cdb[2], &bigEndianLba, 4);

        std::uint64_t ticks;
        if (!TimeCommand(&request, &ticks)) return Fail(kCommandFailed, &buffer);
        pendingBytes += bytes;
        if (ticks == 0) continue;

        const std::uint32_t rate = TakeRateSample(ticks, pendingBytes);
        sampleTable.Set(0, 0, Load(maximum));
        sampleTable.Set(1, 0, Load(average));
        sampleTable.Set(2, 0, Load(minimum));
        sampleTable.Count(0, rate, kCellWidth);
        const std::uint64_t done = commandCount.load(std::memory_order_relaxed);
        RecordProgress(done / 10, done == kCommands);
        pendingBytes = 0;
    }
    return Finish(&buffer);
}

void RandomTestThread::GetSnapshot(TestSnapshot* snapshot) const {
    snapshot->words[0] = firstLba;
    snapshot->words[1] = lastLba;
    snapshot->words[2] = currentLba.load(std::memory_order_relaxed);
    snapshot->words[3] = commandLastLba.load(std::memory_order_relaxed);
    FillCounters(snapshot, false);
}

RandomReadTestThread::RandomReadTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                           std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                           std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                           std::uint32_t endPercent, std::uint32_t histogramCells)
    : RandomTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand, startPercent,
                       endPercent, histogramCells, 0x28, kScsiIoctlDataIn) {}

RandomWriteTestThread::RandomWriteTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                             std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                             std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                             std::uint32_t endPercent, std::uint32_t histogramCells)
    : RandomTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand, startPercent,
                       endPercent, histogramCells, 0x2A, kScsiIoctlDataOut) {}

}  // namespace sektra
