#include "setup/win32/SetupMenuDialog.h"

#include "setup/UninstallEntry.h"
#include "setup/win32/SetupMessage.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/SetupSteps.h"

namespace sektra {

void SetupMenuDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle()) return;
    switch (record.message) {
    case WM_INITDIALOG:
        OnInitDialog();
        break;
    case WM_COMMAND:
        if (LOWORD(record.wParam) == IDOK) OnOk();
        if (LOWORD(record.wParam) == IDCANCEL) OnCancel();
        break;
    case WM_SYSCOMMAND:
        // The title bar's close button would end the dialog with 0, which means "install":
        // it cancels instead.
        if ((record.wParam & 0xFFF0) == SC_CLOSE) {
            OnCancel();
            record.result = 1;
        }
        break;
    case WM_CLOSE:
        End(static_cast<INT_PTR>(static_cast<int>(record.wParam)));
        record.result = 1;
        break;
    case WM_DESTROY:
        if (quitOnDestroy) PostQuitMessage(0);
        break;
    }
}

void SetupMenuDialog::OnInitDialog() {
    SetSetupClassIcons(*this);
    choices = std::make_unique<RadioGroup>(GetHandle(), kFirstRadio, kSecondRadio);
    if (UpdateInstallLabel() != 0) {
        PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0);
        return;
    }
    choices->Check(0);
    // Removal is offered only when an installation is registered.
    if (ReadRegisteredInstall(HKEY_LOCAL_MACHINE, kUninstallKeyPath).uninstallString.empty()) {
        EnableWindow(GetDlgItem(GetHandle(), kSecondRadio), FALSE);
    }
}

int SetupMenuDialog::UpdateInstallLabel() {
    const RegisteredInstall installed = ReadRegisteredInstall(HKEY_LOCAL_MACHINE, kUninstallKeyPath);
    const int label = InstallLabelId(installed.version, installed.location);
    if (label != 0) SetDlgItemTextW(GetHandle(), kFirstRadio, SetupString(label).c_str());
    return 0;
}

void SetupMenuDialog::OnOk() {
    quitOnDestroy = false;
    PostMessage(WM_CLOSE, static_cast<WPARAM>(choices ? choices->GetChecked() : -1), 0);
}

void SetupMenuDialog::OnCancel() { PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0); }

}  // namespace sektra
