#include "setup/win32/AgreementDialog.h"

#include "setup/AgreementText.h"
#include "setup/win32/SetupMessage.h"
#include "setup/win32/SetupResources.h"

namespace sektra {

void AgreementDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle()) return;
    switch (record.message) {
    case WM_INITDIALOG:
        OnInitDialog();
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(record.wParam), HIWORD(record.wParam));
        break;
    case WM_CLOSE:
        End(static_cast<INT_PTR>(static_cast<int>(record.wParam)));
        record.result = 1;
        break;
    }
}

void AgreementDialog::OnInitDialog() {
    agreementText = std::make_unique<Control>(GetHandle(), kTextEdit);
    answers = std::make_unique<RadioGroup>(GetHandle(), kFirstRadio, kSecondRadio);
    if (agreementText->GetHandle() == nullptr) {
        PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0);
        return;
    }
    agreementText->SetText(AgreementText().c_str());
}

void AgreementDialog::OnCommand(int id, int code) {
    switch (id) {
    case kFirstRadio:
    case kSecondRadio:
        if (code == BN_CLICKED && answers->GetChecked() != -1) {
            EnableWindow(GetDlgItem(GetHandle(), kAgreementOk), TRUE);
        }
        break;
    case kAgreementOk:
        OnOk();
        break;
    case kAgreementCancel:
        if (ConfirmCancel(GetHandle())) PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0);
        break;
    }
}

void AgreementDialog::OnOk() {
    const int answer = answers->GetChecked();
    if (answer == 1) {
        PostMessage(WM_CLOSE, 0, 0);
    } else if (answer == 0) {
        // "Do not agree" and OK is the same as Cancel: ask whether to stop the install.
        PostMessage(WM_COMMAND, MAKEWPARAM(kAgreementCancel, BN_CLICKED), 0);
    }
}

}  // namespace sektra
