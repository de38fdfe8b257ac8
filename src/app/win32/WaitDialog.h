#pragma once
// The modeless notice shown while the devices are scanned (template 315): what is examined
// now in 1056 and 1057, two fixed lines in 1058 and 1059.
#include "app/DeviceTree.h"
#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"

namespace sektra {

class WaitDialog : public Dialog, public ScanProgress {
public:
    ~WaitDialog() override;

    virtual void SetMainText(const std::wstring& text) override;    // control 1056
    virtual void SetDetailText(const std::wstring& text) override;  // control 1057
    virtual void OnInitDialog(MessageRecord& record);
    virtual int CreateControls();
    void OnMessage(MessageRecord& record) override;

private:
    void SetControlText(Control* control, const std::wstring& text);

    Control* mainText = nullptr;
    Control* detailText = nullptr;
    Control* note1 = nullptr;
    Control* note2 = nullptr;
};

}  // namespace sektra
