#pragma once
// The terms of use. Ends with 0 when the user agrees, -1 when the install is cancelled.
#include <memory>

#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/RadioGroup.h"

namespace sektra {

class AgreementDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override;

private:
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnOk();

    std::unique_ptr<Control> agreementText;
    std::unique_ptr<RadioGroup> answers;  // 0 "do not agree", 1 "agree"
};

}  // namespace sektra
