#pragma once
// The common save-as dialog, centred in the work area, asking before it overwrites a file.
#include <windows.h>

#include <string>

namespace sektra {

class SaveFileDialog {
public:
    static constexpr int kFileNameLength = 520;

    explicit SaveFileDialog(HWND owner);
    virtual ~SaveFileDialog() = default;
    SaveFileDialog(const SaveFileDialog&) = delete;
    SaveFileDialog& operator=(const SaveFileDialog&) = delete;

    // Appends a description and its pattern to the filter list; -1 when either is null.
    virtual int AddFilter(const wchar_t* description, const wchar_t* pattern);
    // The extension added to a name typed without one; -1 when null.
    virtual int SetDefaultExtension(const wchar_t* extension);
    // The proposed name, cut to what the dialog holds; -1 when null.
    virtual int SetFileName(const wchar_t* name);
    // The chosen path after Show.
    virtual const wchar_t* GetFileName() const { return fileName; }
    // 0 when the user chose a file, -1 when the dialog was cancelled or failed.
    virtual int Show();

private:
    HWND owner;
    wchar_t fileName[kFileNameLength] = {};
    std::wstring defaultExtension;
    bool hasDefaultExtension = false;
    // Pairs of NUL-terminated description and pattern; one more NUL ends the list.
    std::wstring filter;
};

// The dialog's hook: centres the visible save dialog in the desktop work area.
UINT_PTR CALLBACK CentreSaveDialogHook(HWND hookDialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace sektra
