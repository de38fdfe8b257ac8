#include "testwindows/win32/TransferTestWindow.h"

#include "device/Device.h"
#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"
#include "testwindows/OptionChecks.h"
#include "testwindows/RateGraph.h"
#include "testwindows/RefreshTexts.h"
#include "testwindows/TestTitles.h"
#include "testwindows/win32/ResourceText.h"
#include "testwindows/win32/TransferOptionsDialog.h"
#include "testwindows/win32/WriteTestConfirmDialog.h"

namespace sektra {
namespace {

constexpr std::uint32_t kSequentialCells = 201;
constexpr std::uint32_t kRandomCells = 801;
constexpr std::uint32_t kAsk = 15;

// What the label under the graph says of a run's choices: only those that act on this test
// and differ from the defaults; empty when none do.
std::wstring ChoicesText(const TransferChoices& choices, std::uint32_t testType) {
    std::wstring list;
    const bool random = testType == 7 || testType == 8, writing = testType == 6 || testType == 8;
    if (random && choices.alignedPositions) list = ResourceText(IDS_CHOICE_ALIGNED);
    if (writing && choices.randomWriteData) {
        if (!list.empty()) list += ResourceText(IDS_CHOICES_JOIN);
        list += ResourceText(IDS_CHOICE_RANDOM_DATA);
    }
    return list.empty() ? list : ResourceText(IDS_CHOICES_USED) + list;
}

}  // namespace

void TransferTestWindow::OnInitDialog(MessageRecord& record) {
    if (!BeginInit(record, 1000)) return;
    const std::uint32_t testType = (itemCode >> 8) & 0x0F;
    const std::uint32_t rangeChoice = (itemCode >> 4) & 0x0F;
    const std::uint32_t exponent = itemCode & 0x0F;
    const HINSTANCE resources = theApplication->GetResourceInstance();

    if (testType == 6 || testType == 8) {
        WriteTestConfirmDialog confirm(device, itemCode);
        if (confirm.DoModal(resources, IDD_WRITE_CONFIRM, Owner()) != 0) {
            CloseWindow();  // nothing is written
            return;
        }
    }
    std::uint64_t lastBlock = 0;
    device->GetCapacity(&lastBlock, &blockLength);
    TransferChoices choices = transferChoices != nullptr ? *transferChoices : TransferChoices{};

    std::uint32_t askedBlocks = 0, rangeIndex = rangeChoice - 2, customStart = 0, customEnd = 0;
    if (rangeChoice == kAsk) {
        // A device without a usable capacity offers no size at all.
        const std::int32_t maxSectors = device->GetMaxReadSectors();
        TransferOptionsDialog options(maxSectors > 0 ? static_cast<std::uint32_t>(maxSectors) : 0, blockLength,
                                      choices);
        if (options.DoModal(resources, IDD_TRANSFER_OPTIONS, Owner()) != 0) {
            CloseWindow();
            return;
        }
        options.GetResult(&askedBlocks, &rangeIndex, &customStart, &customEnd);
        choices = options.GetChoices();
        if (transferChoices != nullptr) *transferChoices = choices;
    }
    TransferRange range{};
    if (testType < 5 || testType > 8 || !PresetRange(rangeIndex, customStart, customEnd, range)) {
        CloseWindow();
        return;
    }
    const std::uint32_t blocks = exponent < kAsk ? 1u << exponent : askedBlocks;
    const double kilobytes = BlocksInKilobytes(blocks, blockLength);

    const HWND window = GetHandle();
    const std::uint32_t low = static_cast<std::uint32_t>(ticksPerSecond);
    const std::uint32_t high = static_cast<std::uint32_t>(ticksPerSecond >> 32);
    const std::uint32_t start = range.startPercent, end = range.endPercent;
    std::unique_ptr<TestThread> newThread;
    switch (testType) {
    case 5:
        newThread = std::make_unique<SequentialReadTestThread>(window, device, low, high, timerMode, blocks, start,
                                                               end, kSequentialCells);
        break;
    case 6:
        newThread = std::make_unique<SequentialWriteTestThread>(window, device, low, high, timerMode, blocks, start,
                                                                end, kSequentialCells);
        break;
    case 7:
        newThread = std::make_unique<RandomReadTestThread>(window, device, low, high, timerMode, blocks, start, end,
                                                           kRandomCells);
        break;
    default:
        newThread = std::make_unique<RandomWriteTestThread>(window, device, low, high, timerMode, blocks, start, end,
                                                            kRandomCells);
        break;
    }
    newThread->SetTransferChoices(choices);
    Control(window, IDC_TEST_CHOICES).SetText(ChoicesText(choices, testType));
    if (testType <= 6) {
        sequentialThread = static_cast<SequentialTestThread*>(newThread.get());
    } else {
        randomThread = static_cast<RandomTestThread*>(newThread.get());
    }
    FinishInit(std::move(newThread), TransferTitle(testType, kilobytes, ResourceText(range.labelId)));
}

std::wstring TransferTestWindow::BlockText(const TestSnapshot& snapshot) const {
    return TransferBlocksText(SnapshotBlock(snapshot, 2), SnapshotBlock(snapshot, 3), SnapshotBlock(snapshot, 0),
                              SnapshotBlock(snapshot, 1));
}

std::wstring TransferTestWindow::FigureText(std::uint32_t value) const { return RateText(value); }

void TransferTestWindow::WriteTable(CsvFile& csv, const CsvLabels& labels) {
    if (sequentialThread != nullptr) {
        WriteSequentialTables(csv, labels);
    } else if (randomThread != nullptr) {
        WriteRandomTable(csv, labels);
    }
}

void TransferTestWindow::WriteSequentialTables(CsvFile& csv, const CsvLabels& labels) {
    const SampleTable* progressTable = nullptr;
    const SampleTable* positionTable = nullptr;
    std::uint32_t points = 0;
    std::uint64_t positionStep = 0;
    sequentialThread->GetSamples(&progressTable, &positionTable, &points, &positionStep);
    std::uint64_t lastBlock = 0;
    std::uint32_t blockLength = 0;
    device->GetCapacity(&lastBlock, &blockLength);
    sektra::WriteSequentialTables(csv, labels, *progressTable, *positionTable, points, positionStep, blockLength,
                                  sequentialThread->GetFirstLba());
}

bool TransferTestWindow::BuildGraph(int width, int height, int textHeight, GraphPicture* picture) {
    if (randomThread != nullptr) {
        *picture = LatencyDistribution(width, height, textHeight);
        return true;
    }
    if (sequentialThread == nullptr) return false;
    const SampleTable* progressTable = nullptr;
    const SampleTable* positionTable = nullptr;
    RateCurveData data;
    std::uint32_t points = 0;
    sequentialThread->GetSamples(&progressTable, &positionTable, &points, &data.positionStep);
    if (positionTable != nullptr && positionTable->IsAllocated()) {
        const std::uint32_t columns = points < positionTable->Columns() ? points : positionTable->Columns();
        data.columns.resize(columns);
        for (std::uint32_t c = 0; c < columns; ++c) {
            // Row 3 counts the column's samples and row 1 holds its rate.
            data.columns[c] = {positionTable->Get(3, c) != 0, positionTable->Get(1, c)};
        }
    }
    data.firstBlock = sequentialThread->GetFirstLba();
    data.lastBlock = sequentialThread->GetLastLba();
    data.blockLength = blockLength;
    data.averageKilobytesPerSecond = TakeSnapshot().words[7];
    *picture = BuildRateGraph(data, width, height, textHeight, GraphWords());
    return true;
}

void TransferTestWindow::WriteRandomTable(CsvFile& csv, const CsvLabels& labels) {
    WriteSampleTable(csv, labels, *randomThread->GetSamples(), HistogramKind::Random);
}

}  // namespace sektra
