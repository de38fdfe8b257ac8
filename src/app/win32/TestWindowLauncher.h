#pragma once
// The road from a double-clicked test row to its test window. The Document has already
// refused a writing test on a protected device when this runs.
#include <windows.h>

#include <cstdint>

#include "app/ItemCode.h"
#include "engine/TransferChoices.h"

namespace sektra {

class Device;

// Everything a test window is constructed with.
struct TestWindowRequest {
    HWND owner;                   // the main window
    Device* device;               // borrowed; lives until the next rebuild of the device lists
    ItemCode itemCode;            // the test, its size and its variant
    std::uint64_t ticksPerSecond; // handed to the window as two 32-bit halves, low first
    std::int32_t timerMode;
    std::int32_t showInterval;
    std::int32_t performCells;
    TransferChoices* transferChoices;  // the settings' choices; the transfer options dialog may change them
};

// Builds the window of the request's test (code & 0xFF00: 0x1300, 0x1900, 0x1A00 the cache
// window, template 311; 0x1400 the seek window, 312; 0x1500 to 0x1800 the transfer window,
// 305), runs it modally with `owner` as its parent and deletes it when it has closed. Other
// codes open nothing.
void RunTestWindow(const TestWindowRequest& request);

}  // namespace sektra
