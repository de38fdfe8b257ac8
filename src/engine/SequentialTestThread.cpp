#include "engine/SequentialTestThread.h"

#include <cstring>

#include "engine/Statistics.h"

namespace sektra {

SequentialTestThread::Range SequentialTestThread::ComputeRange(Device* device, std::uint32_t startPercent,
                                                               std::uint32_t endPercent) {
    std::uint32_t deviceLastLba = 0, blockLength = 0;
    device->ReadCapacity(&deviceLastLba, &blockLength);
    const std::uint64_t capacity = std::uint64_t{deviceLastLba} + 1;
    const std::uint64_t first = startPercent * capacity / 100;
    const std::uint64_t end = endPercent * capacity / 100;  // one past the last block
    Range range;
    range.firstLba = static_cast<std::uint32_t>(first);
    range.lastLba = static_cast<std::uint32_t>(end - 1);
    range.usable = end >= first + 2 && end - 1 <= 0xFFFFFFFFu;
    if (range.usable) {
        const std::uint64_t rangeBlocks = end - first;
        while (range.positionStep <= rangeBlocks / 2000) range.positionStep <<= 1;
        range.points = static_cast<std::uint32_t>(rangeBlocks / range.positionStep + 1);
    }
    return range;
}

SequentialTestThread::SequentialTestThread(WindowHandle window, Device* device, std::uint32_t ticksPerSecondLow,
                                           std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                           std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                           std::uint32_t endPercent, std::uint32_t histogramCells,
                                           std::uint8_t opcode, std::uint8_t dataIn)
    : TestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, kTotalSteps),
      opcode(opcode),
      dataIn(dataIn),
      blocksPerCommand(blocksPerCommand),
      range(ComputeRange(device, startPercent, endPercent)),
      progressTable(histogramCells, kProgressColumns),
      positionTable(histogramCells, range.points) {
    currentLba.store(range.firstLba, std::memory_order_relaxed);
}

SequentialTestThread::~SequentialTestThread() { Stop(); }

void SequentialTestThread::UpdateColumn(SampleTable& table, Column& column, std::uint64_t index,
                                        std::uint32_t lastIndex, std::uint32_t rate, std::uint64_t ticks,
                                        std::uint64_t bytes) {
    if (index == column.index) {
        column.ticks += ticks;
        column.bytes += bytes;
    } else {
        column.index = index > lastIndex ? lastIndex : static_cast<std::uint32_t>(index);
        column.ticks = ticks;
        column.bytes = bytes;
    }
    const std::uint32_t c = column.index;
    if (rate > table.Get(0, c)) table.Set(0, c, rate);
    table.Set(1, c, RateKBps(ticksPerSecond, column.bytes, column.ticks));
    if (rate < table.Get(2, c)) table.Set(2, c, rate);
    table.Count(c, rate, kCellWidth);
}

std::uint32_t SequentialTestThread::Run() {
    ResetCounters();
    progressTable.Reset(0xFFFFFFFFu);
    positionTable.Reset(0xFFFFFFFFu);
    currentLba.store(range.firstLba, std::memory_order_relaxed);

    if (!range.usable || blocksPerCommand == 0 || ticksPerSecond == 0 || !progressTable.IsAllocated() ||
        !positionTable.IsAllocated()) {
        return Fail(kFailedToStart);
    }
    std::uint32_t deviceLastLba = 0, blockLength = 0;
    if (device->ReadCapacity(&deviceLastLba, &blockLength) != 0) return Fail(kFailedToStart);
    RunBuffer buffer(*services, std::uint64_t{blocksPerCommand} * blockLength);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);

    ScsiRequest request;
    InitScsiRequest(&request, 10, dataIn, buffer.Data(), 0, kMeasureTimeOutSeconds);
    request.sptd.Cdb[0] = opcode;

    const std::uint64_t firstLba = range.firstLba;
    const std::uint64_t lastLba = range.lastLba;
    // The cursor runs in 64 bits: a range that ends at block 0xFFFFFFFF must not wrap to 0.
    std::uint64_t cursor = firstLba;
    std::uint64_t pendingBytes = 0;
    Column progressColumn, positionColumn;
    BeginMeasuring();
    while (GoOn()) {
        if (cursor > lastLba) break;
        std::uint64_t blocks = blocksPerCommand;
        if (cursor + blocks - 1 > lastLba) blocks = lastLba - cursor + 1;
        const std::uint64_t commandLast = cursor + blocks - 1;
        const std::uint64_t bytes = blocks * blockLength;
        commandLastLba.store(static_cast<std::uint32_t>(commandLast), std::memory_order_relaxed);
        const std::uint32_t lba = device->SwapBytes32(static_cast<std::uint32_t>(cursor));
        const std::uint16_t count = device->SwapBytes16(static_cast<std::uint16_t>(blocks));
        std::memcpy(&request.sptd.Cdb[2], &lba, 4);
        std::memcpy(&request.sptd.Cdb[7], &count, 2);
        request.sptd.DataTransferLength = static_cast<std::uint32_t>(bytes);

        std::uint64_t ticks;
        if (!TimeCommand(&request, &ticks)) return Fail(kCommandFailed, &buffer);
        pendingBytes += bytes;
        // A command too fast for the clock is sent again at the same blocks; its bytes go into
        // the next sample.
        if (ticks == 0) continue;

        const std::uint32_t rate = TakeRateSample(ticks, pendingBytes);
        const std::uint64_t offset = cursor - firstLba;
        UpdateColumn(progressTable, progressColumn, offset * 1000 / (lastLba - firstLba), kProgressColumns - 1,
                     rate, ticks, pendingBytes);
        UpdateColumn(positionTable, positionColumn, offset / range.positionStep, range.points - 1, rate, ticks,
                     pendingBytes);
        RecordProgress(progressColumn.index, commandLast == lastLba);

        cursor += blocksPerCommand;
        currentLba.store(static_cast<std::uint32_t>(cursor), std::memory_order_relaxed);
        pendingBytes = 0;
    }
    return Finish(&buffer);
}

void SequentialTestThread::GetSnapshot(TestSnapshot* snapshot) const {
    snapshot->words[0] = range.firstLba;
    snapshot->words[1] = range.lastLba;
    snapshot->words[2] = currentLba.load(std::memory_order_relaxed);
    snapshot->words[3] = commandLastLba.load(std::memory_order_relaxed);
    FillCounters(snapshot, false);
}

void SequentialTestThread::GetSamples(const SampleTable** progressTable, const SampleTable** positionTable,
                                      std::uint32_t* points, std::uint64_t* positionStep) const {
    *progressTable = &this->progressTable;
    *positionTable = &this->positionTable;
    *points = range.points;
    *positionStep = range.positionStep;
}

SequentialReadTestThread::SequentialReadTestThread(WindowHandle window, Device* device,
                                                   std::uint32_t ticksPerSecondLow,
                                                   std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                                   std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                                   std::uint32_t endPercent, std::uint32_t histogramCells)
    : SequentialTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand,
                           startPercent, endPercent, histogramCells, 0x28, kScsiIoctlDataIn) {}

SequentialWriteTestThread::SequentialWriteTestThread(WindowHandle window, Device* device,
                                                     std::uint32_t ticksPerSecondLow,
                                                     std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                                     std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                                     std::uint32_t endPercent, std::uint32_t histogramCells)
    : SequentialTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand,
                           startPercent, endPercent, histogramCells, 0x2A, kScsiIoctlDataOut) {}

}  // namespace sektra
