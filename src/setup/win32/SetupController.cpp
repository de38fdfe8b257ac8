#include "setup/win32/SetupController.h"

#include <vector>

#include "framework/win32/ApplicationBase.h"
#include "setup/SetupCommandLine.h"
#include "setup/win32/AgreementDialog.h"
#include "setup/win32/FolderDialog.h"
#include "setup/win32/InstallDialog.h"
#include "setup/win32/SetupMenuDialog.h"
#include "setup/win32/SetupResources.h"
#include "setup/win32/UninstallDialog.h"

namespace sektra {

SetupController::SetupController() = default;
SetupController::~SetupController() = default;

int SetupController::Run() {
    std::vector<std::wstring> arguments;
    for (int i = 0; i < theApplication->GetArgCount(); ++i) arguments.push_back(theApplication->GetArg(i));
    if (IsUninstallRequest(arguments)) return Uninstall();

    HINSTANCE instance = theApplication->GetInstance();
    menuDialog = std::make_unique<SetupMenuDialog>();
    const INT_PTR choice = menuDialog->DoModal(instance, kMenuDialog, nullptr);
    if (choice < 0) return Quit();
    if (choice > 0) return Uninstall();

    {
        AgreementDialog agreement;
        if (agreement.DoModal(instance, kAgreementDialog, nullptr) != 0) return Quit();
    }
    std::wstring folder;
    {
        FolderDialog folderDialog;
        if (folderDialog.DoModal(instance, kFolderDialog, nullptr) != 0) return Quit();
        folder = folderDialog.GetInstallFolder();
    }
    InstallDialog install(folder);
    install.DoModal(instance, kInstallDialog, nullptr);
    return Quit();
}

int SetupController::Uninstall() {
    UninstallDialog dialog;
    if (dialog.DoModal(theApplication->GetInstance(), kUninstallDialog, nullptr) == 0) {
        removedFolder = dialog.GetRemovedFolder();
        return 1;
    }
    return Quit();
}

int SetupController::Quit() {
    PostQuitMessage(0);
    return 0;
}

}  // namespace sektra
