#pragma once
// Removes the installation in four steps: start menu, settings, program files, uninstall
// entry. Ends with 0 when all four have run.
#include <memory>
#include <string>

#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/ProgressBar.h"

namespace sektra {

class UninstallDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override;
    // The install folder the entry named, as read in the program-files step (empty when none).
    const std::wstring& GetRemovedFolder() const { return removedFolder; }

private:
    void OnInitDialog();
    void RunStep(int step);

    std::unique_ptr<ProgressBar> progress;
    std::unique_ptr<Control> statusLine;
    std::wstring removedFolder;
};

}  // namespace sektra
