#include "app/win32/WaitDialog.h"

#include "app/win32/MessageBoxes.h"
#include "language/ResourceIds.h"

namespace sektra {

WaitDialog::~WaitDialog() {
    delete note2;
    delete note1;
    delete detailText;
    delete mainText;
    Destroy();
}

void WaitDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    if (record.message == WM_INITDIALOG) OnInitDialog(record);
    else if (record.message == WM_CLOSE) Destroy();
}

void WaitDialog::OnInitDialog(MessageRecord&) {
    if (CreateControls() != 0) {
        PostMessage(WM_CLOSE, 0, 0);
        return;
    }
    Show(true);
    note1->SetText(ResourceString(IDS_WAIT_NOTE1));
    note2->SetText(ResourceString(IDS_WAIT_NOTE2));
}

int WaitDialog::CreateControls() {
    mainText = new Control(GetHandle(), IDC_WAIT_MAIN);
    detailText = new Control(GetHandle(), IDC_WAIT_DETAIL);
    note1 = new Control(GetHandle(), IDC_WAIT_NOTE1);
    note2 = new Control(GetHandle(), IDC_WAIT_NOTE2);
    return 0;
}

void WaitDialog::SetMainText(const std::wstring& text) { SetControlText(mainText, text); }

void WaitDialog::SetDetailText(const std::wstring& text) { SetControlText(detailText, text); }

void WaitDialog::SetControlText(Control* control, const std::wstring& text) {
    if (control == nullptr) return;
    control->SetText(text);
    // The scan runs on the UI thread without a message loop: paint the change now.
    control->Update();
}

}  // namespace sektra
