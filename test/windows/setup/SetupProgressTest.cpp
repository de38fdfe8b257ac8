// The install and removal dialogs show their progress: each step posts the next one, so the
// queue never runs empty and WM_PAINT never comes on its own until the last step is done.
// Each dialog must be visible, centred, and painted after every step.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "framework/win32/ApplicationBase.h"
#include "setup/UninstallEntry.h"
#include "setup/win32/InstallDialog.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/UninstallDialog.h"

namespace sektra {
namespace {

std::wstring ControlText(HWND dialog, int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

std::wstring String(int id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

// Delivers the dialog's messages as the modal loop would, up to the WM_CLOSE that ends it,
// and checks after each step that nothing of the dialog is left waiting for a paint.
int RunStepsChecked(HWND dialog) {
    int steps = 0;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.hwnd == dialog && message.message == WM_CLOSE) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        if (message.hwnd != dialog || message.message != kStepMessage) continue;
        ++steps;
        EXPECT_TRUE(IsWindowVisible(dialog)) << steps;
        EXPECT_FALSE(GetUpdateRect(dialog, nullptr, FALSE)) << "dialog not painted after step " << steps;
        EXPECT_FALSE(GetUpdateRect(GetDlgItem(dialog, kStatusLine), nullptr, FALSE))
            << "status line not painted after step " << steps;
    }
    return steps;
}

void ExpectCentred(HWND dialog) {
    RECT window{}, work{};
    GetWindowRect(dialog, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 2);
    EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 2);
}

// Opens the dialog as Setup does, runs its four steps and checks what the user sees.
void RunProgressDialog(Dialog& dialog, int templateId, int lastText) {
    ASSERT_EQ(dialog.Create(GetModuleHandleW(nullptr), templateId, nullptr), 0);
    EXPECT_TRUE(IsWindowVisible(dialog.GetHandle())) << templateId;
    ExpectCentred(dialog.GetHandle());
    EXPECT_EQ(RunStepsChecked(dialog.GetHandle()), 4) << templateId;
    EXPECT_EQ(ControlText(dialog.GetHandle(), kStatusLine), String(lastText));
    dialog.Destroy();
}

TEST(SetupProgress, InstallAndRemovalShowAndPaintEveryStep) {
    ApplicationBase application(GetModuleHandleW(nullptr));
    theApplication = &application;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"SektraProgressTest";

    InstallDialog install(folder);
    RunProgressDialog(install, kInstallDialog, kTextInstallStepFirst + 7);
    // The removal undoes the install above: entry, settings, start menu and folder.
    UninstallDialog removal;
    RunProgressDialog(removal, kUninstallDialog, kTextRemoveStepFirst + 7);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, KEY_READ, &key), ERROR_SUCCESS);
    RemoveDirectoryW(folder.c_str());
    theApplication = nullptr;
}

}  // namespace
}  // namespace sektra
