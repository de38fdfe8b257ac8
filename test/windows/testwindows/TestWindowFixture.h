#pragma once
// Test windows on emulated devices under wine. The windows are made modeless so the test keeps
// the message loop; the dialogs they open modally (confirmation, options, message boxes, the
// save dialog) are answered by a ModalDriver, whose thread timer fires inside every nested
// modal loop, as a user would answer them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/Device.h"
#include "emulator/DemoSet.h"
#include "emulator/EmulatedPort.h"
#include "language/ResourceIds.h"
#include "testwindows/win32/ResourceText.h"
#include "testwindows/win32/TestWindow.h"
#include "windows/framework/FrameworkFixture.h"

namespace sektra::test {

inline std::wstring WindowText(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

inline std::wstring ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

// The file-name box of the save dialog (a combo box in the explorer style, an edit before).
inline HWND FileNameBox(HWND dialog) {
    HWND box = GetDlgItem(dialog, 0x47C);
    return box != nullptr ? box : GetDlgItem(dialog, 0x480);
}

inline bool IsSaveDialog(HWND dialog) { return FileNameBox(dialog) != nullptr && GetDlgItem(dialog, IDOK) != nullptr; }

inline std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

inline std::string ReadBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

inline void Click(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

inline BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The visible dialogs of this thread.
inline std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A message box: a dialog with the box's text in a static and no edit control. Its text is
// the longest static text.
inline std::wstring MessageBoxText(HWND box) {
    std::wstring longest;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (lstrcmpiW(name, L"Static") == 0) {
            const std::wstring text = WindowText(child);
            if (text.size() > longest.size()) longest = text;
        }
    }
    return longest;
}

class ModalDriver {
public:
    struct Step {
        std::function<bool(HWND)> match;
        std::function<void(HWND)> act;
    };

    ModalDriver() {
        current = this;
        timer = SetTimer(nullptr, 0, 25, &ModalDriver::OnTimer);
    }
    ~ModalDriver() {
        KillTimer(nullptr, timer);
        current = nullptr;
    }

    void Then(std::function<bool(HWND)> match, std::function<void(HWND)> act) {
        steps.push_back({std::move(match), std::move(act)});
    }
    // A dialog holding control `id` (the option dialogs, the confirmation).
    void WhenDialogWith(int id, std::function<void(HWND)> act) {
        Then([id](HWND w) { return GetDlgItem(w, id) != nullptr; }, std::move(act));
    }
    // A message box with this caption: its text is recorded and it is closed with OK.
    void ExpectBox(UINT captionId) {
        const std::wstring caption = ResourceText(captionId);
        Then([caption](HWND w) { return WindowText(w) == caption && GetDlgItem(w, IDOK) != nullptr; },
             [this](HWND w) {
                 boxes.push_back(MessageBoxText(w));
                 PostMessageW(w, WM_COMMAND, IDOK, 0);
             });
    }
    bool Done() const { return steps.empty(); }

    std::vector<std::wstring> boxes;  // texts of the boxes answered

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
        if (current == nullptr || current->steps.empty()) return;
        for (HWND dialog : ThreadDialogs()) {
            if (current->steps.empty()) return;
            Step& next = current->steps.front();
            if (!next.match(dialog)) continue;
            Step step = std::move(next);
            current->steps.pop_front();
            step.act(dialog);  // may open a nested modal loop, in which this timer fires again
            return;
        }
    }

    static inline ModalDriver* current = nullptr;
    UINT_PTR timer = 0;
    std::deque<Step> steps;
};

// Runs messages until `done` holds or the time is up; false on time-out.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        PumpMessages();
        Sleep(2);
    }
    return true;
}

inline void PumpFor(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    PumpUntil([end] { return std::chrono::steady_clock::now() > end; }, time + std::chrono::seconds(1));
}

// Item codes of a disk's test rows.
constexpr std::uint32_t kDisk0 = 0x11000000;

class TestWindowTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        port = std::make_unique<EmulatedPort>();
    }
    void TearDown() override {
        devices.clear();
        port.reset();
        FrameworkTest::TearDown();
    }

    // A new port without devices; the devices of the old one close first.
    void NewPort() {
        devices.clear();
        port = std::make_unique<EmulatedPort>();
    }

    // A disk of `blocks` 512-byte blocks whose commands take no time, opened and unprotected.
    Device* AddDisk(DeviceConfig config) {
        emulated = &port->AddDevice(kInterfaceClassDisk, config);
        auto device = std::make_unique<Device>(port.get());
        EXPECT_EQ(device->Open(kInterfaceClassDisk, static_cast<std::uint32_t>(port->DeviceCount(kInterfaceClassDisk) - 1)), 0);
        device->SetWriteProtected(false);
        devices.push_back(std::move(device));
        return devices.back().get();
    }
    Device* AddZeroTimeDisk(std::uint64_t blocks = 20480) { return AddDisk(TestDisk(blocks, TimingModel{})); }

    // Makes the window of the row modeless (its set-up dialogs run modally inside).
    template <typename Window>
    std::unique_ptr<Window> Open(Device* device, std::uint32_t code, HWND parent = nullptr, std::uint32_t cells = 201,
                                 std::uint32_t timerMode = 1) {
        // Ticks per second: the performance counter's, as the Document hands it; the tick
        // count (mode 0) counts milliseconds.
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        if (timerMode == 0) frequency.QuadPart = 1000;
        auto window = std::make_unique<Window>(device, kDisk0 | code, static_cast<std::uint32_t>(frequency.QuadPart),
                                          static_cast<std::uint32_t>(frequency.QuadPart >> 32), timerMode, 50, cells);
        EXPECT_EQ(window->Create(module, TemplateOf(code), parent), 0);
        return window;
    }

    static int TemplateOf(std::uint32_t code) {
        switch (code & 0xFF00) {
        case 0x1300: case 0x1900: case 0x1A00: return IDD_CACHE_TEST;
        case 0x1400: return IDD_SEEK_TEST;
        default: return IDD_TRANSFER_TEST;
        }
    }

    static bool CaptionEndsWith(HWND window, UINT suffixId) {
        const std::wstring caption = WindowText(window);
        const std::wstring suffix = ResourceText(suffixId);
        return caption.size() >= suffix.size() && caption.compare(caption.size() - suffix.size(), suffix.size(), suffix) == 0;
    }

    bool WaitForFinished(TestWindow& window, std::chrono::milliseconds timeout = std::chrono::seconds(120)) {
        return PumpUntil([&] { return window.GetHandle() == nullptr || CaptionEndsWith(window.GetHandle(), IDS_STATE_FINISHED); },
                         timeout) &&
               window.GetHandle() != nullptr;
    }

    std::unique_ptr<EmulatedPort> port;
    EmulatedDevice* emulated = nullptr;
    std::vector<std::unique_ptr<Device>> devices;
};

// The buttons of the three states: close, stop, start, save.
struct Buttons {
    bool close, stop, start, save;
    bool operator==(const Buttons& other) const {
        return close == other.close && stop == other.stop && start == other.start && save == other.save;
    }
};

inline Buttons ButtonsOf(HWND window) {
    return {ItemEnabled(window, IDC_TEST_CLOSE), ItemEnabled(window, IDC_TEST_STOP), ItemEnabled(window, IDC_TEST_START),
            ItemEnabled(window, IDC_TEST_SAVE)};
}

inline std::ostream& operator<<(std::ostream& out, const Buttons& b) {
    return out << "close " << b.close << " stop " << b.stop << " start " << b.start << " save " << b.save;
}

}  // namespace sektra::test
