// A helper for the journeys: looks at and nudges the windows of another Windows program in
// the same wine session, where X tools see no texts and no child windows.
//   window_probe texts TITLE [MS]      waits up to MS (default 20000) for a top-level window
//                                      titled TITLE, prints its title and its controls' texts
//   window_probe post TITLE MSG WPARAM posts MSG (decimal or 0x hex) with WPARAM to it
// Output is UTF-8, one text a line. Exit code 0, or 1 when no such window appeared.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

void PrintLine(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

std::wstring TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, 1024);
    return buffer;
}

HWND WaitForWindow(const wchar_t* title, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindWindowW(nullptr, title);
        if (window != nullptr && IsWindowVisible(window)) return window;
        if (GetTickCount() - start >= milliseconds) return nullptr;
        Sleep(100);
    }
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    const std::wstring text = TextOf(child);
    if (!text.empty()) PrintLine(text);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring command = argv[1];
    const DWORD wait = command == L"texts" && argc > 3 ? wcstoul(argv[3], nullptr, 0) : 20000;
    HWND window = WaitForWindow(argv[2], wait);
    if (window == nullptr) return 1;
    if (command == L"texts") {
        PrintLine(TextOf(window));
        EnumChildWindows(window, PrintChild, 0);
        return 0;
    }
    if (command == L"post" && argc > 4) {
        const UINT message = wcstoul(argv[3], nullptr, 0);
        const WPARAM wParam = wcstoul(argv[4], nullptr, 0);
        return PostMessageW(window, message, wParam, 0) ? 0 : 1;
    }
    return 2;
}
