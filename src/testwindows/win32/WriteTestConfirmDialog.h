#pragma once
// Asks the user to type the confirmation word before a test that overwrites the device.
#include <cstdint>
#include <memory>

#include "framework/win32/Control.h"
#include "testwindows/win32/OptionDialog.h"

namespace sektra {

class Device;

class WriteTestConfirmDialog : public OptionDialog {
public:
    WriteTestConfirmDialog(Device* device, std::uint32_t itemCode);

    void OnInitDialog(MessageRecord& record) override;
    void OnCommand(MessageRecord& record) override;

private:
    std::unique_ptr<Control> deviceLabel;
    std::unique_ptr<Control> testLabel;
    std::unique_ptr<Control> confirmationEdit;
    Device* device;
    std::uint32_t itemCode;
};

}  // namespace sektra
