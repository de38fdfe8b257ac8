#include <memory>

#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"
#include "testwindows/win32/CacheTestWindow.h"
#include "testwindows/win32/SeekTestWindow.h"
#include "testwindows/win32/TransferTestWindow.h"

namespace sektra {

void RunTestWindowFor(HWND owner, Device* device, std::uint32_t itemCode, std::uint64_t ticksPerSecond,
                      std::uint32_t timerMode, std::uint32_t showInterval, std::uint32_t performCells,
                      TransferChoices* transferChoices) {
    const auto low = static_cast<std::uint32_t>(ticksPerSecond);
    const auto high = static_cast<std::uint32_t>(ticksPerSecond >> 32);
    std::unique_ptr<TestWindow> window;
    int templateId = 0;
    switch (itemCode & 0xFF00) {
    case 0x1300:
    case 0x1900:
    case 0x1A00:
        window = std::make_unique<CacheTestWindow>(device, itemCode, low, high, timerMode, showInterval, performCells);
        templateId = IDD_CACHE_TEST;
        break;
    case 0x1400:
        window = std::make_unique<SeekTestWindow>(device, itemCode, low, high, timerMode, showInterval, performCells);
        templateId = IDD_SEEK_TEST;
        break;
    case 0x1500:
    case 0x1600:
    case 0x1700:
    case 0x1800: {
        auto transfer =
            std::make_unique<TransferTestWindow>(device, itemCode, low, high, timerMode, showInterval, performCells);
        transfer->UseTransferChoices(transferChoices);
        window = std::move(transfer);
        templateId = IDD_TRANSFER_TEST;
        break;
    }
    default: return;
    }
    window->DoModal(theApplication->GetResourceInstance(), templateId, owner);
}

}  // namespace sektra
