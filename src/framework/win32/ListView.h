#pragma once
// The list-view control of a dialog. Results written 0/-1 are 0 when the control reports
// success; the others are the control's answer.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/win32/Control.h"

namespace sektra {

class ListView : public Control {
public:
    ListView(HWND dialog, int id);

    virtual int SetCheckState(int item, bool checked);
    virtual int SetColumn(int index, const LVCOLUMNW& column);
    virtual int SetColumnText(int index, const wchar_t* text);
    virtual DWORD SetExtendedStyle(DWORD mask, DWORD style);  // the previous style
    virtual HIMAGELIST SetImageList(HIMAGELIST list, int kind);
    virtual int SetSelected(int item, bool selected);
    virtual int SetItemState(int item, const LVITEMW& state);
    virtual int SetItemText(int item, int subItem, const wchar_t* text);
    virtual bool GetCheckState(int item);
    virtual DWORD GetExtendedStyle();
    virtual int GetItem(LVITEMW& item);
    virtual int GetItemCount();
    virtual LPARAM GetItemData(int item);
    virtual UINT GetItemState(int item, UINT mask);
    virtual bool IsSelected(int item);
    virtual std::wstring GetItemText(int item, int subItem);  // whole, however long
    virtual int DeleteAllColumns();
    virtual int DeleteAllItems();
    virtual int Clear();  // items, then columns
    virtual int DeleteColumn(int index);
    virtual int DeleteItem(int item);
    virtual int DeleteSelectedItems();
    virtual int FindItem(const LVFINDINFOW& find, int start);  // index or -1
    virtual int FindItemByData(LPARAM data, int start);
    virtual int FindItemByText(const wchar_t* text, int start);
    virtual int InsertColumn(int index, const LVCOLUMNW& column);  // the new column's index
    virtual int InsertItem(int index, const wchar_t* text, LPARAM data);
    virtual int InsertItem(const LVITEMW& item);  // the new item's index, -1 on failure

    // Not a slot of the wrapper's own: a column with format, width and text in one call.
    int InsertColumn(int index, const wchar_t* text, int width, int format = LVCFMT_LEFT);

protected:
    std::wstring itemText;
};

}  // namespace sektra
