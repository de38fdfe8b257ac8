#pragma once
// Asks for the number of seeks, how to seek, and the blocks to seek between (the other-size row
// of the seek test).
#include <cstdint>
#include <memory>

#include "framework/win32/Control.h"
#include "framework/win32/EditControl.h"
#include "framework/win32/RadioGroup.h"
#include "testwindows/win32/OptionDialog.h"

namespace sektra {

class SeekOptionsDialog : public OptionDialog {
public:
    // lastBlock: the device's last block, the highest block a seek may reach.
    SeekOptionsDialog(std::uint64_t lastBlock, std::uint32_t blockLength);

    void OnInitDialog(MessageRecord& record) override;
    void OnCommand(MessageRecord& record) override;
    virtual void OnOK();
    // seekMode 0 alternates between the first and the last block, 1 seeks to random blocks.
    void GetResult(std::uint32_t* seekCount, std::uint32_t* seekMode, std::uint64_t* firstBlock,
                   std::uint64_t* lastBlock) const;

private:
    std::unique_ptr<Control> limitLabel;
    std::unique_ptr<EditControl> countEdit;
    std::unique_ptr<EditControl> firstBlockEdit;
    std::unique_ptr<EditControl> lastBlockEdit;
    std::unique_ptr<RadioGroup> modeButtons;
    std::uint32_t seekCount = 1000;
    std::uint32_t seekMode = 0;
    std::uint64_t firstBlock = 0;
    std::uint64_t lastBlock;
    std::uint64_t maxBlock;
    std::uint32_t blockLength;
};

}  // namespace sektra
