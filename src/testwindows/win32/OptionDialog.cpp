#include "testwindows/win32/OptionDialog.h"

#include "testwindows/win32/ResourceText.h"

namespace sektra {

void OptionDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    switch (record.message) {
    case WM_CLOSE: End(static_cast<INT_PTR>(record.wParam)); break;
    case WM_INITDIALOG:
        DisableCloseBox(GetHandle());
        OnInitDialog(record);
        break;
    case WM_COMMAND: OnCommand(record); break;
    default: break;
    }
}

void OptionDialog::Close(WPARAM result) { PostMessage(WM_CLOSE, result, 0); }

}  // namespace sektra
