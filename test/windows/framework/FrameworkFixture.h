#pragma once
// Shared set-up of the framework tests: an application object as the programs make one, and
// the real language module, loaded from next to the test program like Sektra loads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/win32/ApplicationBase.h"
#include "framework/win32/Dialog.h"

namespace sektra::test {

class TestApplication : public ApplicationBase {
public:
    TestApplication() : ApplicationBase(GetModuleHandleW(nullptr)) {}

    void UseResourceModule(HMODULE module) { resourceModule = module; }
    void ForgetResourceModule() { resourceModule = nullptr; }
    std::size_t WindowCount() const { return windows.size(); }
    std::size_t FilterCount() const { return filters.size(); }
    std::vector<std::wstring> Split(const std::wstring& line) {
        arguments.clear();
        SplitCommandLine(line);
        return arguments;
    }
    void SetArguments(std::vector<std::wstring> list) { arguments = std::move(list); }
};

// The folder of the running test program, with a trailing backslash.
inline std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

// Runs the posted messages of this thread until none is left.
inline void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (theApplication && theApplication->TranslateDialogMessage(&message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A dialog that counts what it acted on and ends like every dialog of the programs: WM_CLOSE
// ends a modal one with its wParam and destroys a modeless one.
class ProbeDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override {
        if (observer) observer(*this, record);
        if (record.window != GetHandle()) return;
        switch (record.message) {
        case WM_INITDIALOG:
            ++initCount;
            if (onInit) onInit(*this);
            break;
        case WM_CLOSE:
            if (IsModal()) {
                End(static_cast<INT_PTR>(record.wParam));
            } else {
                Destroy();
            }
            break;
        default:
            if (record.message >= WM_APP) acted.push_back(record.message);
            break;
        }
    }

    int initCount = 0;
    std::vector<UINT> acted;  // the private messages it took
    std::function<void(ProbeDialog&)> onInit;
    std::function<void(ProbeDialog&, MessageRecord&)> observer;
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        application = new TestApplication();
        theApplication = application;
        module = LoadLibraryExW((ProgramFolder() + L"Sektra.jpn").c_str(), nullptr, 0);
        ASSERT_NE(module, nullptr) << "Sektra.jpn next to the test program";
        application->UseResourceModule(module);
    }

    void TearDown() override {
        PumpMessages();
        application->ForgetResourceModule();
        if (module) FreeLibrary(module);
        delete application;
        theApplication = nullptr;
    }

    TestApplication* application = nullptr;
    HMODULE module = nullptr;
};

}  // namespace sektra::test
