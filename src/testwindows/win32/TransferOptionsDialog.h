#pragma once
// Asks for the blocks per command and the range of a transfer test (the other-size row).
// Only its own buttons end it: Enter and Esc do nothing.
#include <cstdint>
#include <memory>

#include "engine/TransferChoices.h"
#include "framework/win32/Control.h"
#include "framework/win32/EditControl.h"
#include "framework/win32/RadioGroup.h"
#include "framework/win32/UpDownControl.h"
#include "testwindows/win32/OptionDialog.h"

namespace sektra {

class TransferOptionsDialog : public OptionDialog {
public:
    TransferOptionsDialog(std::uint32_t maxBlocks, std::uint32_t blockLength,
                          const TransferChoices& choices = TransferChoices{});

    void OnInitDialog(MessageRecord& record) override;
    void OnCommand(MessageRecord& record) override;
    virtual void OnSizeChanged();
    virtual void OnRangeChanged();
    virtual void OnOK();
    // rangeIndex 0 to 3 the presets, 4 the custom range of startPercent to endPercent.
    void GetResult(std::uint32_t* blocks, std::uint32_t* rangeIndex, std::uint32_t* startPercent,
                   std::uint32_t* endPercent) const;
    // The two check boxes as confirmed (as given while the dialog was not confirmed).
    const TransferChoices& GetChoices() const { return choices; }

private:
    std::unique_ptr<Control> limitLabel;
    std::unique_ptr<Control> sizeLabel;
    std::unique_ptr<EditControl> sizeEdit;
    std::unique_ptr<UpDownControl> sizeSpin;
    std::unique_ptr<EditControl> startEdit;
    std::unique_ptr<UpDownControl> startSpin;
    std::unique_ptr<EditControl> endEdit;
    std::unique_ptr<UpDownControl> endSpin;
    std::unique_ptr<RadioGroup> rangeButtons;
    TransferChoices choices;
    std::uint32_t blocks = 1;
    std::uint32_t rangeIndex = 0;
    std::uint32_t startPercent = 0;
    std::uint32_t endPercent = 100;
    std::uint32_t maxBlocks;
    std::uint32_t blockLength;
};

}  // namespace sektra
