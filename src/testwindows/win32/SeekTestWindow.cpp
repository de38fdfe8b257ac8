#include "testwindows/win32/SeekTestWindow.h"

#include "device/Device.h"
#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"
#include "testwindows/RefreshTexts.h"
#include "testwindows/TestTitles.h"
#include "testwindows/win32/ResourceText.h"
#include "testwindows/win32/SeekOptionsDialog.h"

namespace sektra {

void SeekTestWindow::OnInitDialog(MessageRecord& record) {
    if (!BeginInit(record, 200)) return;
    const std::uint32_t choice = itemCode & 0xFF;
    std::uint32_t seekCount = 1000, blockLength = 0;
    std::uint64_t lastBlock = 0;
    device->GetCapacity(&lastBlock, &blockLength);
    // The standard row alternates between the two ends of the device.
    std::uint32_t seekMode = 0;
    std::uint64_t first = 0, last = lastBlock;
    if (choice == 0x1F) {
        SeekOptionsDialog options(lastBlock, blockLength);
        if (options.DoModal(theApplication->GetResourceInstance(), IDD_SEEK_OPTIONS, Owner()) != 0) {
            CloseWindow();
            return;
        }
        options.GetResult(&seekCount, &seekMode, &first, &last);
    }
    if (((itemCode >> 8) & 0x0F) != 4) {
        CloseWindow();
        return;
    }
    const std::wstring label = ResourceText(choice == 0x10 ? IDS_SEEK_STANDARD : IDS_OTHER_SIZE);
    auto newThread = std::make_unique<SeekTestThread>(GetHandle(), device, static_cast<std::uint32_t>(ticksPerSecond),
                                                      static_cast<std::uint32_t>(ticksPerSecond >> 32), timerMode,
                                                      first, last, seekCount, seekMode, performCells);
    seekThread = newThread.get();
    const bool accessTime = seekThread->GetMethod() == SeekMethod::Access;
    if (accessTime) {
        // The template names seeks; this run times one-block reads.
        SetItemText(IDC_SEEK_COUNT_LABEL, ResourceText(IDS_ACCESS_COUNT));
        SetItemText(IDC_SEEK_TIME_GROUP, ResourceText(IDS_ACCESS_TIME));
    }
    FinishInit(std::move(newThread), SeekTitle(label, accessTime));
}

void SeekTestWindow::SetItemText(int itemId, const std::wstring& text) {
    Control item(GetHandle(), itemId);
    item.SetText(text.c_str());
}

std::wstring SeekTestWindow::BlockText(const TestSnapshot& snapshot) const {
    return SeekBlockText(SnapshotBlock(snapshot, 2), SnapshotBlock(snapshot, 0), SnapshotBlock(snapshot, 1));
}

std::wstring SeekTestWindow::FigureText(std::uint32_t value) const { return SeekTimeText(value); }

void SeekTestWindow::WriteSeekTable(CsvFile& csv, const CsvLabels& labels) {
    WriteSampleTable(csv, labels, *seekThread->GetSamples(), HistogramKind::Seek);
}

}  // namespace sektra
