#include "framework/win32/RadioGroup.h"

namespace sektra {

RadioGroup::RadioGroup(HWND dialog, int firstId, int lastId) : dialog(dialog), firstId(firstId), lastId(lastId) {}

int RadioGroup::Check(int index) {
    return CheckRadioButton(dialog, firstId, lastId, firstId + index) ? 0 : -1;
}

int RadioGroup::EnableAll(bool enable) {
    for (int id = firstId; id <= lastId; ++id) EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE);
    return 0;
}

int RadioGroup::GetChecked() {
    for (int id = firstId; id <= lastId; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) return id - firstId;
    }
    return -1;
}

}  // namespace sektra
