#include "engine/SequentialTestThread.h"

#include <cstring>

#include "engine/PercentRange.h"
#include "engine/Statistics.h"
#include "engine/TransferCommand.h"
#include "engine/WriteData.h"
#include "framework/WideArithmetic.h"

namespace sektra {

namespace {

// (r + 1) ÷ d without forming r + 1, which is 2^64 for a range over every 64-bit block.
std::uint64_t OnePastQuotient(std::uint64_t r, std::uint64_t d) { return r / d + (r % d == d - 1 ? 1 : 0); }

}  // namespace

SequentialTestThread::Range SequentialTestThread::ComputeRange(Device* device, std::uint32_t startPercent,
                                                               std::uint32_t endPercent) {
    std::uint64_t deviceLastLba = 0;
    std::uint32_t blockLength = 0;
    device->GetCapacity(&deviceLastLba, &blockLength);
    const PercentRange blocks = RangeOfPercents(deviceLastLba, startPercent, endPercent);
    Range range;
    range.firstLba = blocks.firstLba;
    range.lastLba = blocks.lastLba;
    range.usable = !blocks.empty && blocks.lastLba > blocks.firstLba;
    if (range.usable) {
        const std::uint64_t span = range.lastLba - range.firstLba;  // rangeBlocks - 1
        const std::uint64_t perPoint = OnePastQuotient(span, 2000);
        while (range.positionStep <= perPoint) range.positionStep <<= 1;
        range.points = static_cast<std::uint32_t>(OnePastQuotient(span, range.positionStep) + 1);
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
    ShowCommand(range.firstLba, blocksPerCommand);
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
    ShowCommand(range.firstLba, blocksPerCommand);

    // A READ(10) carries at most 65535 blocks.
    if (!range.usable || blocksPerCommand == 0 || blocksPerCommand > 0xFFFF || ticksPerSecond == 0 ||
        !progressTable.IsAllocated() || !positionTable.IsAllocated()) {
        return Fail(kFailedToStart);
    }
    std::uint32_t blockLength = 0, commandBytes = 0;
    if (!TransferLength(blocksPerCommand, &blockLength, &commandBytes)) return Fail(kFailedToStart);
    RunBuffer buffer(*services, commandBytes);
    if (buffer.Data() == nullptr) return Fail(kFailedToStart);
    if (dataIn == kScsiIoctlDataOut && choices.randomWriteData) FillWithRandomBytes(buffer.Data(), commandBytes);

    ScsiRequest request;
    InitScsiRequest(&request, 10, dataIn, buffer.Data(), 0, kMeasureTimeOutSeconds);

    const std::uint64_t firstLba = range.firstLba;
    const std::uint64_t lastLba = range.lastLba;
    // The cursor may pass the last block by less than one command; in 64 bits that never wraps
    // short of a range that ends at the very last 64-bit block, which the test below catches.
    std::uint64_t cursor = firstLba;
    std::uint64_t pendingBytes = 0;
    Column progressColumn, positionColumn;
    BeginMeasuring();
    while (GoOn()) {
        if (cursor > lastLba || cursor < firstLba) break;
        std::uint64_t blocks = blocksPerCommand;
        if (lastLba - cursor < blocks - 1) blocks = lastLba - cursor + 1;
        const std::uint64_t commandLast = cursor + blocks - 1;
        const std::uint64_t bytes = blocks * blockLength;
        ShowCommand(cursor, blocks);
        SetTransferCommand(&request, opcode, cursor, static_cast<std::uint32_t>(blocks));

        std::uint64_t ticks;
        if (!TimeCommand(&request, static_cast<std::uint32_t>(bytes), &ticks)) return Fail(kCommandFailed, &buffer);
        pendingBytes += bytes;
        // A command too fast for the clock is sent again at the same blocks; its bytes go into
        // the next sample.
        if (ticks == 0) continue;

        const std::uint32_t rate = TakeRateSample(ticks, pendingBytes);
        const std::uint64_t offset = cursor - firstLba;
        UpdateColumn(progressTable, progressColumn, MulDiv64(offset, 1000, lastLba - firstLba), kProgressColumns - 1,
                     rate, ticks, pendingBytes);
        UpdateColumn(positionTable, positionColumn, offset / range.positionStep, range.points - 1, rate, ticks,
                     pendingBytes);
        RecordProgress(progressColumn.index, commandLast == lastLba);

        cursor += blocksPerCommand;
        pendingBytes = 0;
    }
    return Finish(&buffer);
}

void SequentialTestThread::ShowCommand(std::uint64_t first, std::uint64_t blocks) {
    std::uint64_t last = first + blocks - 1;
    if (last > range.lastLba || last < first) last = range.lastLba;
    currentLba.store(first, std::memory_order_relaxed);
    commandLastLba.store(last, std::memory_order_relaxed);
}

void SequentialTestThread::GetSnapshot(TestSnapshot* snapshot) const {
    SetSnapshotBlock(snapshot, 0, range.firstLba);
    SetSnapshotBlock(snapshot, 1, range.lastLba);
    SetSnapshotBlock(snapshot, 2, currentLba.load(std::memory_order_relaxed));
    SetSnapshotBlock(snapshot, 3, commandLastLba.load(std::memory_order_relaxed));
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
                           startPercent, endPercent, histogramCells, kRead10, kScsiIoctlDataIn) {}

SequentialWriteTestThread::SequentialWriteTestThread(WindowHandle window, Device* device,
                                                     std::uint32_t ticksPerSecondLow,
                                                     std::uint32_t ticksPerSecondHigh, std::uint32_t mode,
                                                     std::uint32_t blocksPerCommand, std::uint32_t startPercent,
                                                     std::uint32_t endPercent, std::uint32_t histogramCells)
    : SequentialTestThread(window, device, ticksPerSecondLow, ticksPerSecondHigh, mode, blocksPerCommand,
                           startPercent, endPercent, histogramCells, kWrite10, kScsiIoctlDataOut) {}

}  // namespace sektra
