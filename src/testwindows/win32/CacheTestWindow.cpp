#include "testwindows/win32/CacheTestWindow.h"

#include "device/Device.h"
#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"
#include "testwindows/RefreshTexts.h"
#include "testwindows/TestTitles.h"
#include "testwindows/win32/CacheOptionsDialog.h"
#include "testwindows/win32/ResourceText.h"
#include "testwindows/win32/WriteTestConfirmDialog.h"

namespace sektra {

int CacheTestWindow::CreateControls() {
    TestWindow::CreateControls();
    blockRangeLabel.reset();  // this window has no block text
    return 0;
}

void CacheTestWindow::OnInitDialog(MessageRecord& record) {
    if (!BeginInit(record, 200)) return;
    const std::uint32_t testType = (itemCode >> 8) & 0x0F;
    const std::uint32_t exponent = itemCode & 0x0F;
    const HINSTANCE resources = theApplication->GetResourceInstance();
    if (testType == 10) {
        WriteTestConfirmDialog confirm(device, itemCode);
        if (confirm.DoModal(resources, IDD_WRITE_CONFIRM, GetHandle()) != 0) {
            CloseWindow();  // nothing is written
            return;
        }
    }
    std::uint64_t lastBlock = 0;
    std::uint32_t blockLength = 0;
    device->GetCapacity(&lastBlock, &blockLength);

    std::uint32_t askedSize = 0;
    if (exponent == 15) {
        std::int32_t limit = 0;
        if (testType == 3) {
            limit = device->GetMaxReadSectors();
        } else {
            limit = device->GetMaxReadBufferBytes() / 1024;
        }
        CacheOptionsDialog options(limit > 0 ? static_cast<std::uint32_t>(limit) : 0, blockLength, testType != 3);
        if (options.DoModal(resources, IDD_CACHE_OPTIONS, Owner()) != 0) {
            CloseWindow();
            return;
        }
        options.GetResult(&askedSize);
    }
    const std::uint32_t size = exponent < 15 ? 1u << exponent : askedSize;
    const double kilobytes = testType == 3 ? BlocksInKilobytes(size, blockLength) : size;
    const std::wstring title = CacheTitle(testType, kilobytes);
    if (title.empty()) {
        CloseWindow();
        return;
    }
    const HWND window = GetHandle();
    const auto low = static_cast<std::uint32_t>(ticksPerSecond);
    const auto high = static_cast<std::uint32_t>(ticksPerSecond >> 32);
    std::unique_ptr<RepeatTestThread> newThread;
    if (testType == 3) {
        newThread = std::make_unique<CacheHitTestThread>(window, device, low, high, timerMode, size, performCells);
    } else if (testType == 9) {
        newThread = std::make_unique<ReadBufferTestThread>(window, device, low, high, timerMode, size, performCells);
    } else {
        newThread = std::make_unique<WriteBufferTestThread>(window, device, low, high, timerMode, size, performCells);
    }
    repeatThread = newThread.get();
    FinishInit(std::move(newThread), title);
}

std::wstring CacheTestWindow::FigureText(std::uint32_t value) const { return RateText(value); }

void CacheTestWindow::WriteCacheTable(CsvFile& csv, const CsvLabels& labels) {
    WriteSampleTable(csv, labels, *repeatThread->GetSamples(), HistogramKind::Cache);
}

}  // namespace sektra
