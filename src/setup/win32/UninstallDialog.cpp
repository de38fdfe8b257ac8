#include "setup/win32/UninstallDialog.h"

#include <shlobj.h>

#include "setup/SetupPaths.h"
#include "setup/UninstallEntry.h"
#include "setup/win32/DeleteFolder.h"
#include "setup/win32/SetupMessage.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/SetupSteps.h"

namespace sektra {

void UninstallDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle()) return;
    switch (record.message) {
    case WM_INITDIALOG:
        OnInitDialog();
        break;
    case kStepMessage:
        RunStep(static_cast<int>(record.wParam));
        break;
    case WM_CLOSE:
        End(static_cast<INT_PTR>(static_cast<int>(record.wParam)));
        record.result = 1;
        break;
    }
}

void UninstallDialog::OnInitDialog() {
    SetSetupClassIcons(*this);
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

void UninstallDialog::RunStep(int step) {
    if (step < 0 || step > 3) return;
    progress->SetPos(2 * step + 1);
    statusLine->SetText(SetupString(kTextRemoveStepFirst + 2 * step).c_str());
    PaintNow(GetHandle());  // the start text, before the step's work
    switch (step) {
    case 0: {
        const std::wstring programs = ShellFolder(CSIDL_PROGRAMS);
        if (!programs.empty()) DeleteFolder(programs + L'\\' + kProductFolderName);
        break;
    }
    case 1: {
        const std::wstring localAppData = ShellFolder(CSIDL_LOCAL_APPDATA);
        if (!localAppData.empty()) DeleteFolder(localAppData + L"\\Sektra");
        break;
    }
    case 2:
        // Only the files Setup installed: anything else in the folder is the user's and stays,
        // and so does the folder with it. The running Setup.exe stays too; the clean-up batch
        // removes it once Setup has ended.
        removedFolder = ReadRegisteredInstall(HKEY_LOCAL_MACHINE, kUninstallKeyPath).location;
        if (!removedFolder.empty()) RemoveProgramFiles(removedFolder);
        break;
    case 3: {
        RegistryKey key;
        key.SetRoot(HKEY_LOCAL_MACHINE);
        key.DeleteKey(kUninstallKeyPath);
        break;
    }
    }
    progress->SetPos(2 * step + 2);
    statusLine->SetText(SetupString(kTextRemoveStepFirst + 2 * step + 1).c_str());
    PaintNow(GetHandle());
    if (step < 3) {
        PostMessage(kStepMessage, static_cast<WPARAM>(step + 1), 0);
    } else {
        PostMessage(WM_CLOSE, 0, 0);
    }
}

}  // namespace sektra
