// A small helper for the Setup journeys: finds Setup's top-level windows by title and reads or
// presses their controls the way a user's clicks would, so the scripts need no screen
// coordinates. Texts are printed in UTF-8. Exit code 0 on success, 1 on a timeout or a missing
// window or control, 2 on bad usage.
//
//   wait TITLE [SECONDS]        a visible window with this exact title exists
//   gone TITLE [SECONDS]        no window with this title is left
//   text TITLE ID               the control's text (ID 65535: a message box's text)
//   enabled TITLE ID            1 or 0
//   checked TITLE ID            1 or 0
//   click TITLE ID              presses the button (posted, so a message box it opens does
//                               not block the probe)
//   settext TITLE ID TEXT       replaces the control's text
//   close TITLE                 the title bar's close button (WM_SYSCOMMAND SC_CLOSE)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void Print(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fputc('\n', stdout);
}

HWND Find(const wchar_t* title) {
    HWND window = FindWindowW(nullptr, title);
    return (window != nullptr && IsWindowVisible(window)) ? window : nullptr;
}

HWND WaitFor(const wchar_t* title, double seconds) {
    for (DWORD waited = 0; waited <= seconds * 1000; waited += 100) {
        if (HWND window = Find(title)) return window;
        Sleep(100);
    }
    return nullptr;
}

std::wstring Text(HWND control) {
    wchar_t buffer[8192] = {};
    SendMessageTimeoutW(control, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000, nullptr);
    return buffer;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    const wchar_t* title = argv[2];
    if (command == L"wait") return WaitFor(title, argc > 3 ? _wtof(argv[3]) : 30) ? 0 : 1;
    if (command == L"gone") {
        const double seconds = argc > 3 ? _wtof(argv[3]) : 30;
        for (DWORD waited = 0; waited <= seconds * 1000; waited += 100) {
            if (FindWindowW(nullptr, title) == nullptr) return 0;
            Sleep(100);
        }
        return 1;
    }
    HWND window = WaitFor(title, 10);
    if (window == nullptr) return 1;
    if (command == L"close") return PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
    if (argc < 4) return 2;
    HWND control = GetDlgItem(window, _wtoi(argv[3]));
    if (control == nullptr) return 1;
    if (command == L"text") {
        Print(Text(control));
    } else if (command == L"enabled") {
        Print(IsWindowEnabled(control) ? L"1" : L"0");
    } else if (command == L"checked") {
        Print(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L"1" : L"0");
    } else if (command == L"click") {
        return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
    } else if (command == L"settext" && argc > 4) {
        SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]), SMTO_ABORTIFHUNG, 5000, nullptr);
    } else {
        return 2;
    }
    return 0;
}
