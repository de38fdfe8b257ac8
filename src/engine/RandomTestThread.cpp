#include "engine/RandomTestThread.h"

#include <cstring>

#include "engine/RangeRandom.h"
#include "engine/TransferCommand.h"
#include "engine/WriteData.h"

namespace sektra {

namespace {

// The first and last index n whose command of `blocks` blocks from block n × blocks lies wholly
// in [firstLba, lastLba]; false when there is none. The caller has checked that the range holds
// at least one command, so lastLba - blocks + 1 does not wrap.
bool AlignedSlots(std::uint64_t firstLba, std::uint64_t lastLba, std::uint32_t blocks, std::uint64_t* firstSlot,
                  std::uint64_t* lastSlot) {
    *firstSlot = firstLba / blocks + (firstLba % blocks != 0 ? 1 : 0);
    *lastSlot = (lastLba - blocks + 1) / blocks;
    return *firstSlot <= *lastSlot;
}

}  // namespace

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
    std::uint64_t deviceLastLba = 0;
    std::uint32_t blockLength = 0;
    device->GetCapacity(&deviceLastLba, &blockLength);
    range = RangeOfPercents(deviceLastLba, startPercent, endPercent);
    ShowCommand(range.firstLba);
}

RandomTestThread::~RandomTestThread() { Stop(); }

std::uint32_t RandomTestThread::Run() {
    ResetCounters();
    sampleTable.Reset(0xFFFFFFFFu);
    ShowCommand(range.firstLba);

    // Every command must lie wholly inside the range; a READ(10) carries at most 65535 blocks.
    const bool rangeUsable = !range.empty && blocksPerCommand != 0 && blocksPerCommand <= 0xFFFF &&
                             range.lastLba - range.firstLba >= blocksPerCommand - 1;
    if (!rangeUsable || ticksPerSecond == 0 || !sampleTable.IsAllocated()) return Fail(kFailedToStart);
    // Positions are drawn as slots: block numbers themselves, or multiples of the command's
    // blocks when aligned (the same generator and seed, over the slot numbers).
    std::uint64_t firstSlot = range.firstLba, lastSlot = range.lastLba - blocksPerCommand + 1, slotBlocks = 1;
    if (choices.alignedPositions) {
        if (!AlignedSlots(range.firstLba, range.lastLba, blocksPerCommand, &firstSlot, &lastSlot)) {
            return Fail(kFailedToStart);
        }
        slotBlocks = blocksPerCommand;
    }
    std::uint32_t blockLength = 0, bytes = 0;
    if (!TransferLength(blocksPerCommand, &blockLength, &bytes)) return Fail(kFailedToStart);
    RunBuffer buffer(*services, bytes);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);
    if (dataIn == kScsiIoctlDataOut && choices.randomWriteData) FillWithRandomBytes(buffer.Data(), bytes);

    ScsiRequest request;
    InitScsiRequest(&request, 10, dataIn, buffer.Data(), 0, kMeasureTimeOutSeconds);

    RangeRandom positions(firstSlot, lastSlot, kSeed);
    std::uint64_t pendingBytes = 0;
    BeginMeasuring();
    while (GoOn()) {
        if (commandCount.load(std::memory_order_relaxed) >= kCommands) break;
        const std::uint64_t lba = positions.Next() * slotBlocks;
        ShowCommand(lba);
        SetTransferCommand(&request, opcode, lba, blocksPerCommand);

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
        RecordProgress(done / 10, done == kCommands);
    }
    return Finish(&buffer);
}

void RandomTestThread::ShowCommand(std::uint64_t first) {
    std::uint64_t last = first + blocksPerCommand - 1;
    if (last > range.lastLba || last < first) last = range.lastLba;
    currentLba.store(first, std::memory_order_relaxed);
    commandLastLba.store(last, std::memory_order_relaxed);
}

void RandomTestThread::GetSnapshot(TestSnapshot* snapshot) const {
    SetSnapshotBlock(snapshot, 0, range.firstLba);
    SetSnapshotBlock(snapshot, 1, range.lastLba);
    SetSnapshotBlock(snapshot, 2, currentLba.load(std::memory_order_relaxed));
    SetSnapshotBlock(snapshot, 3, commandLastLba.load(std::memory_order_relaxed));
    FillCounters(snapshot, false);
}

RandomReadTestThread::RandomReadTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                           std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                           std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                           std::uint32_t endPercent, std::uint32_t histogramCells)
    : RandomTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand, startPercent,
                       endPercent, histogramCells, kRead10, kScsiIoctlDataIn) {}

RandomWriteTestThread::RandomWriteTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                             std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                             std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                             std::uint32_t endPercent, std::uint32_t histogramCells)
    : RandomTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand, startPercent,
                       endPercent, histogramCells, kWrite10, kScsiIoctlDataOut) {}

}  // namespace sektra
