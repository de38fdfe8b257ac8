#include "setup/win32/InstallDialog.h"

#include <shlobj.h>

#include "framework/win32/ApplicationBase.h"
#include "setup/SetupPaths.h"
#include "setup/UninstallEntry.h"
#include "setup/win32/SetupMessage.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/SetupSteps.h"

namespace sektra {

void InstallDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle()) return;
    switch (record.message) {
    case WM_INITDIALOG:
        OnInitDialog();
        break;
    case kStepMessage:
        RunStep(static_cast<int>(record.wParam));
        break;
    case WM_CLOSE:
        OnClose(static_cast<int>(record.wParam));
        record.result = 1;
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    }
}

void InstallDialog::OnInitDialog() {
    progress = std::make_unique<ProgressBar>(GetHandle(), kProgressBar);
    statusLine = std::make_unique<Control>(GetHandle(), kStatusLine);
    if (progress->GetHandle() == nullptr || statusLine->GetHandle() == nullptr) {
        PostMessage(WM_CLOSE, static_cast<WPARAM>(-1), 0);
        return;
    }
    progress->SetRange(0, 8);
    progress->SetPos(0);
    PostMessage(kStepMessage, 0, 0);
}

void InstallDialog::RunStep(int step) {
    if (step < 0 || step > 3) return;
    progress->SetPos(2 * step + 1);
    statusLine->SetText(SetupString(kTextInstallStepFirst + 2 * step).c_str());
    PaintNow(GetHandle());  // the start text, before the step's work
    switch (step) {
    case 0: {
        installFolder = WithTrailingBackslash(installFolder);
        // The files come from the folder of the running Setup, the distribution folder, also
        // when Setup was started with another current directory.
        const std::wstring source = FolderOf(theApplication->GetModulePath());
        CopyProgramFiles(source, installFolder);
        break;
    }
    case 1: {
        const std::uint32_t version = ReadRegisteredInstall(HKEY_LOCAL_MACHINE, kUninstallKeyPath).version;
        if (PrepareSettings(ShellFolder(CSIDL_LOCAL_APPDATA), version) != 0) {
            ShowSetupMessage(nullptr, kTextSettingsNotSaved, kTextErrorTitle, MB_ICONERROR);
        }
        break;
    }
    case 2:
        CreateStartMenu(ShellFolder(CSIDL_PROGRAMS), installFolder);
        break;
    case 3:
        WriteUninstallEntry(HKEY_LOCAL_MACHINE, kUninstallKeyPath, installFolder);
        break;
    }
    progress->SetPos(2 * step + 2);
    statusLine->SetText(SetupString(kTextInstallStepFirst + 2 * step + 1).c_str());
    PaintNow(GetHandle());
    if (step < 3) {
        PostMessage(kStepMessage, static_cast<WPARAM>(step + 1), 0);
    } else {
        PostMessage(WM_CLOSE, 0, 0);
    }
}

void InstallDialog::OnClose(int code) {
    if (code == 0) ShowSetupMessage(nullptr, kTextInstalled, kTextInstalledTitle, MB_ICONINFORMATION);
    End(code);
}

}  // namespace sektra
