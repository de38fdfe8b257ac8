#pragma once
// Where to install. Ends with 0 and the chosen folder, or -1 when the install is cancelled.
// A registered installation is updated in its folder without asking.
#include <memory>
#include <string>

#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"

namespace sektra {

class FolderDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override;
    const std::wstring& GetInstallFolder() const { return installFolder; }

private:
    void OnInitDialog();
    void OnCommand(int id);
    void OnOk();
    void OnBrowse();
    // Creates the folder with its missing parents; false when that fails or is impossible.
    bool CreateFolder(const std::wstring& folder);

    std::unique_ptr<Control> folderEdit;
    std::wstring installFolder;
};

}  // namespace sektra
