#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "setup/win32/SetupResources.h"

namespace sektra {
namespace {

// The test program links Setup's own resource script.
std::wstring String(int id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

TEST(SetupResources, EveryStringIsThere) {
    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 20, 21, 22, 23, 24, 25, 26,
                   32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45}) {
        EXPECT_FALSE(String(id).empty()) << id;
    }
    EXPECT_EQ(String(43), L"Sektra の 再インストール");
    EXPECT_EQ(String(44), L"Sektra の バージョンアップ");
    EXPECT_EQ(String(45), L"Sektra の バージョンダウン");
    // Line feed first, then carriage return, as the message boxes have always shown them.
    EXPECT_EQ(String(21), L"インストール作業を中断します。\n\rよろしいですか？");
    EXPECT_TRUE(String(18).empty());
}

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(SetupResources, DialogsHaveTheirControls) {
    const struct { int dialog; std::initializer_list<int> controls; } dialogs[] = {
        {kMenuDialog, {IDOK, IDCANCEL, 1021, 1022}},
        {kUninstallDialog, {1023, 1024}},
        {kAgreementDialog, {1021, 1022, 1026, 1027, 1008}},
        {kFolderDialog, {1030, 1029, 1008, 1001}},
        {kInstallDialog, {1023, 1024}},
    };
    for (const auto& d : dialogs) {
        HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(d.dialog), nullptr, IgnoreMessages, 0);
        ASSERT_NE(dialog, nullptr) << d.dialog;
        for (int id : d.controls) EXPECT_NE(GetDlgItem(dialog, id), nullptr) << d.dialog << " " << id;
        const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
        EXPECT_EQ((style & WS_SYSMENU) != 0, d.dialog == kMenuDialog) << d.dialog;
        if (d.dialog == kAgreementDialog) {
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1027)));
        }
        DestroyWindow(dialog);
    }
}

TEST(SetupResources, IconInBothSizes) {
    for (int size : {32, 16}) {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kSetupIcon), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP bitmap = {};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

}  // namespace
}  // namespace sektra
