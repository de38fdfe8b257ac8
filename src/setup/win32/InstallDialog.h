#pragma once
// Installs into the chosen folder in four steps: files, settings, start menu, uninstall entry.
// Each step is started by a message of its own so that the dialog repaints in between.
#include <memory>
#include <string>

#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/ProgressBar.h"

namespace sektra {

class InstallDialog : public Dialog {
public:
    explicit InstallDialog(const std::wstring& installFolder) : installFolder(installFolder) {}
    void OnMessage(MessageRecord& record) override;

private:
    void OnInitDialog();
    void RunStep(int step);
    void OnClose(int code);

    std::unique_ptr<ProgressBar> progress;
    std::unique_ptr<Control> statusLine;
    std::wstring installFolder;
};

}  // namespace sektra
