#pragma once
// What the test option and confirmation dialogs share: they end by posting WM_CLOSE with their
// result (0 confirmed, 1 cancelled), grey their close box, and answer only their own messages.
#include <windows.h>

#include "framework/win32/Dialog.h"

namespace sektra {

class OptionDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override;

    virtual void OnInitDialog(MessageRecord& record) = 0;
    virtual void OnCommand(MessageRecord& record) = 0;

protected:
    // Posts WM_CLOSE with the result.
    void Close(WPARAM result);
};

}  // namespace sektra
