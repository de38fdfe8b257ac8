#include "AppEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/win32/Application.h"
#include "app/win32/MessageBoxes.h"
#include "device/DevicePort.h"
#include "emulator/DemoSet.h"
#include "framework/win32/SystemInfo.h"

namespace sektra {

namespace {

std::vector<ShownMessage> shown;

int Answer(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
    shown.push_back(ShownMessage{text, caption, type});
    return IDOK;
}

EmulatedPort* demoPort = nullptr;

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override {
        application = new Application(GetModuleHandleW(nullptr));
        theApplication = application;
        application->ParseCommandLine();
        ASSERT_NE(application->LoadResourceModule(), nullptr) << "the language module next to the test";
        port = MakeDemoPort(TimeMode::Zero);
        demoPort = port.get();
        SetDefaultDevicePort(port.get());
        SetMessageBoxHandler(Answer);
    }
    void TearDown() override {
        SetMessageBoxHandler(nullptr);
        SetDefaultDevicePort(nullptr);
        delete application;
        theApplication = nullptr;
        port.reset();
        demoPort = nullptr;
    }

private:
    Application* application = nullptr;
    std::unique_ptr<EmulatedPort> port;
};

const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new AppEnvironment);

}  // namespace

const std::vector<ShownMessage>& Messages() { return shown; }

EmulatedPort& DemoPort() { return *demoPort; }

void ClearMessages() { shown.clear(); }

std::vector<std::wstring> FullSettings() {
    return {L"TimerMode=1", L"ShowInterval=100", L"PerFrq=0", L"PerformCells=201"};
}

void WriteSettingsFile(const std::vector<std::wstring>& lines) {
    SystemInfo system;
    const std::wstring folder = system.GetLocalAppDataFolder() + L"Sektra";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\Sektra.ini";
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string bytes(text.begin(), text.end());  // ASCII keys and numbers
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        if (theApplication != nullptr && theApplication->TranslateDialogMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring ModuleString(UINT id) { return ResourceString(id); }

}  // namespace sektra
