#pragma once
// Asks for the size of one transfer of the cache hit test (in blocks) or of a buffer test (in
// KB), for the other-size row.
#include <cstdint>
#include <memory>

#include "framework/win32/Control.h"
#include "framework/win32/EditControl.h"
#include "framework/win32/UpDownControl.h"
#include "testwindows/win32/OptionDialog.h"

namespace sektra {

class CacheOptionsDialog : public OptionDialog {
public:
    CacheOptionsDialog(std::uint32_t limit, std::uint32_t blockLength, bool sizeInKB);

    void OnInitDialog(MessageRecord& record) override;
    void OnCommand(MessageRecord& record) override;
    virtual void OnSizeChanged();
    virtual void OnOK();
    void GetResult(std::uint32_t* size) const { *size = this->size; }

private:
    std::unique_ptr<Control> limitLabel;
    std::unique_ptr<Control> sizeLabel;
    std::unique_ptr<EditControl> sizeEdit;
    std::unique_ptr<UpDownControl> sizeSpin;
    std::uint32_t size = 1;
    std::uint32_t limit;
    std::uint32_t blockLength;
    bool sizeInKB;
};

}  // namespace sektra
