#pragma once
// Which devices the write tests may touch (template 309): one check box per disk and CD-ROM,
// ticked while the device is write-protected. A sizable dialog whose list follows its size.
#include <vector>

#include "framework/win32/Control.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/ListView.h"

namespace sektra {

class Device;

class DeviceSelectionDialog : public Dialog {
public:
    explicit DeviceSelectionDialog(const std::vector<Device*>& devices);
    ~DeviceSelectionDialog() override;

    virtual void OnInitDialog(MessageRecord& record);
    virtual void OnCommand(MessageRecord& record);
    virtual void OnOK();
    virtual void Layout();
    virtual void OnSizing(MessageRecord& record);
    virtual int CreateControls();
    void OnMessage(MessageRecord& record) override;

private:
    void MeasureLayout();

    ListView* deviceList = nullptr;
    Control* okButton = nullptr;
    Control* cancelButton = nullptr;
    // Distances measured at start: list bottom, OK top and OK left to the client's bottom
    // and right edges, Cancel left to the right edge.
    int listBottomGap = 0;
    int okTopGap = 0;
    int okLeftGap = 0;
    int cancelLeftGap = 0;
    std::vector<Device*> devices;
};

}  // namespace sektra
