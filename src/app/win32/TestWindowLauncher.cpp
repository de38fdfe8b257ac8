#include "app/win32/TestWindowLauncher.h"

#include "testwindows/win32/TestWindow.h"

namespace sektra {

void RunTestWindow(const TestWindowRequest& request) {
    RunTestWindowFor(request.owner, request.device, request.itemCode, request.ticksPerSecond,
                     static_cast<std::uint32_t>(request.timerMode), static_cast<std::uint32_t>(request.showInterval),
                     static_cast<std::uint32_t>(request.performCells), request.transferChoices);
}

}  // namespace sektra
