#include "app/win32/HtmlHelp.h"

namespace sektra {

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

HMODULE LoadHtmlHelpLibrary() {
    // The registered HTML Help control first, then whatever "hhctrl.ocx" the loader finds.
    wchar_t path[MAX_PATH + 1] = {};
    LONG size = sizeof(path) - sizeof(wchar_t);
    HMODULE library = nullptr;
    if (RegQueryValueW(HKEY_CLASSES_ROOT, L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", path,
                       &size) == ERROR_SUCCESS) {
        library = LoadLibraryW(path);
    }
    if (library == nullptr) library = LoadLibraryW(L"hhctrl.ocx");
    return library;
}

}  // namespace

HWND CallHtmlHelp(HWND window, const wchar_t* file, UINT command, DWORD_PTR data) {
    static bool failed = false;
    static HtmlHelpFunction htmlHelp = nullptr;
    if (failed) return nullptr;
    if (htmlHelp == nullptr) {
        HMODULE library = LoadHtmlHelpLibrary();
        if (library != nullptr) {
            // Ordinal 15 is HtmlHelpW.
            htmlHelp = reinterpret_cast<HtmlHelpFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(15))));
        }
        if (htmlHelp == nullptr) {
            failed = true;
            return nullptr;
        }
    }
    return htmlHelp(window, file, command, data);
}

}  // namespace sektra
