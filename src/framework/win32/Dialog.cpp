#include "framework/win32/Dialog.h"

#include "framework/win32/ApplicationBase.h"

namespace sektra {

INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!theApplication) return 0;
    MessageRecord record;
    record.window = window;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    theApplication->DispatchDialogMessage(record);
    return record.result;
}

Dialog::~Dialog() { Destroy(); }

bool Dialog::HasLiveWindow() const { return handle != nullptr && IsWindow(handle); }

void Dialog::BaseMessage(MessageRecord& record) {
    if (record.message == WM_INITDIALOG) {
        if (record.lParam == reinterpret_cast<LPARAM>(this)) Attach(record.window);
        // Every dialog joins the navigation list, modal ones too; the list ignores duplicates.
        if (theApplication) theApplication->AddDialog(record.window);
        record.result = 1;
    } else if (record.message == WM_NCDESTROY && record.window == handle && handle != nullptr) {
        // The window can also go without Destroy or End (its owner was destroyed): forget it,
        // so that neither the navigation list nor this object keeps a handle that may be reused.
        if (theApplication) theApplication->RemoveDialog(handle);
        Attach(nullptr);
    }
}

INT_PTR Dialog::DoModal(HINSTANCE instance, int templateId, HWND parent) {
    return DoModal(instance, MAKEINTRESOURCEW(templateId), parent);
}

INT_PTR Dialog::DoModal(HINSTANCE instance, const wchar_t* templateName, HWND parent) {
    if (HasLiveWindow()) return -1;
    isModal = true;
    const INT_PTR code =
        DialogBoxParamW(instance, templateName, parent, SharedDialogProc, reinterpret_cast<LPARAM>(this));
    if (handle != nullptr && !IsWindow(handle)) {
        if (theApplication) theApplication->RemoveDialog(handle);
        Attach(nullptr);
    }
    return code;
}

int Dialog::Create(HINSTANCE instance, int templateId, HWND parent) {
    return Create(instance, MAKEINTRESOURCEW(templateId), parent);
}

int Dialog::Create(HINSTANCE instance, const wchar_t* templateName, HWND parent) {
    if (HasLiveWindow()) return -1;
    isModal = false;
    HWND window =
        CreateDialogParamW(instance, templateName, parent, SharedDialogProc, reinterpret_cast<LPARAM>(this));
    return window != nullptr ? 0 : -1;
}

int Dialog::Destroy() {
    if (!HasLiveWindow()) {
        Attach(nullptr);
        return 0;
    }
    if (isModal) return End(0);
    HWND window = handle;
    if (!DestroyWindow(window)) return -1;
    if (theApplication) theApplication->RemoveDialog(window);
    Attach(nullptr);
    return 0;
}

int Dialog::End(INT_PTR code) {
    if (!HasLiveWindow()) {
        Attach(nullptr);
        return 0;
    }
    if (!isModal) return -1;
    HWND window = handle;
    if (!EndDialog(window, code)) return -1;
    if (theApplication) theApplication->RemoveDialog(window);
    Attach(nullptr);
    return 0;
}

}  // namespace sektra
