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
    std::uint32_t seekCount = 1000, lastBlock = 0, blockLength = 0;
    device->ReadCapacity(&lastBlock, &blockLength);
    // The standard row alternates between the two ends of the device.
    std::uint32_t seekMode = 0, first = 0, last = lastBlock;
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
    FinishInit(std::move(newThread), SeekTitle(label));
}

std::wstring SeekTestWindow::BlockText(const TestSnapshot& snapshot) const {
    return SeekBlockText(snapshot.words[2], snapshot.words[0], snapshot.words[1]);
}

std::wstring SeekTestWindow::FigureText(std::uint32_t value) const { return SeekTimeText(value); }

void SeekTestWindow::WriteSeekTable(CsvFile& csv, const CsvLabels& labels) {
    WriteSampleTable(csv, labels, *seekThread->GetSamples(), HistogramKind::Seek);
}

}  // namespace sektra
