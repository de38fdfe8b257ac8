#pragma once
// A dialog from a template of the resource module, modal or modeless. All dialogs share one
// dialog procedure; the object finds its window at WM_INITDIALOG, whose creation parameter is
// the object itself.
//
// A concrete dialog overrides OnMessage, ignores records of other windows, and dispatches:
//
//   void MyDialog::OnMessage(MessageRecord& record) {
//       if (record.window != GetHandle()) return;
//       switch (record.message) {
//       case WM_INITDIALOG: OnInitDialog(record); break;
//       case WM_COMMAND: OnCommand(record); break;            // LOWORD(record.wParam) = id
//       case WM_CLOSE: End(static_cast<INT_PTR>(record.wParam)); break;
//       }
//   }
//
// Dialogs end by posting WM_CLOSE to themselves with their result in wParam (0 confirmed,
// 1 cancelled), so the result of DoModal is that wParam.
#include <windows.h>

#include "framework/win32/MessageWindow.h"

namespace sektra {

class Dialog : public MessageWindow {
public:
    Dialog() = default;
    // Destroys a window that is still alive, then leaves the hub.
    ~Dialog() override;

    void BaseMessage(MessageRecord& record) override;

    // The EndDialog code, or -1 when this object already has a live window.
    virtual INT_PTR DoModal(HINSTANCE instance, int templateId, HWND parent);
    virtual INT_PTR DoModal(HINSTANCE instance, const wchar_t* templateName, HWND parent);
    // Modeless; 0, or -1 when the window cannot be made or this object already has one.
    virtual int Create(HINSTANCE instance, int templateId, HWND parent);
    virtual int Create(HINSTANCE instance, const wchar_t* templateName, HWND parent);
    // Modeless: DestroyWindow. Modal: End(0). Without a live window only detaches. 0/-1.
    virtual int Destroy();
    // Ends a modal dialog with `code`; -1 for a modeless one.
    virtual int End(INT_PTR code);

    bool IsModal() const { return isModal; }

protected:
    bool HasLiveWindow() const;

    bool isModal = false;
};

// The dialog procedure of every dialog: packs the message into a MessageRecord, hands it to
// the application's hub and returns the record's result.
INT_PTR CALLBACK SharedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace sektra
