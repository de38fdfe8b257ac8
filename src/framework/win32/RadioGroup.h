#pragma once
// Consecutive radio buttons firstId .. lastId of a dialog, addressed by index from firstId.
#include <windows.h>

namespace sektra {

class RadioGroup {
public:
    RadioGroup(HWND dialog, int firstId, int lastId);
    virtual ~RadioGroup() = default;

    virtual int Check(int index);       // 0/-1
    virtual int EnableAll(bool enable);  // 0
    virtual int GetChecked();           // the first checked index, -1 when none is

protected:
    HWND dialog;
    int firstId;
    int lastId;
};

}  // namespace sektra
