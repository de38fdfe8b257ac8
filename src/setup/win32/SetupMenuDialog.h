#pragma once
// The first dialog: install or remove. Ends with 0 (install), 1 (remove) or -1 (cancel).
#include <memory>

#include "framework/win32/Dialog.h"
#include "framework/win32/RadioGroup.h"

namespace sektra {

class SetupMenuDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override;

private:
    void OnInitDialog();
    // Names the install choice after what is registered: reinstall, upgrade or downgrade.
    int UpdateInstallLabel();
    void OnOk();
    void OnCancel();

    std::unique_ptr<RadioGroup> choices;
    // Cleared by OK: the dialogs that follow must not meet a pending quit message.
    bool quitOnDestroy = true;
};

}  // namespace sektra
