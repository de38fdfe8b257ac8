#pragma once
// The tree-view control of a dialog. Results written 0/-1 are 0 when the control reports success.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/win32/Control.h"

namespace sektra {

class TreeView : public Control {
public:
    TreeView(HWND dialog, int id);

    virtual HIMAGELIST SetImageList(HIMAGELIST list, int kind);
    virtual int SelectItem(HTREEITEM item, int flag = TVGN_CARET);
    virtual HTREEITEM GetChild(HTREEITEM item);
    virtual HTREEITEM GetNextSibling(HTREEITEM item);
    virtual HTREEITEM GetParentItem(HTREEITEM item);
    virtual HTREEITEM GetRoot();
    virtual HTREEITEM GetSelection();
    virtual int GetItem(TVITEMW& item);
    virtual LPARAM GetItemData(HTREEITEM item);
    virtual std::wstring GetItemText(HTREEITEM item);  // whole, however long
    virtual int DeleteAllItems();
    virtual int DeleteItem(HTREEITEM item);
    virtual int Expand(HTREEITEM item, UINT code);
    // Depth first from `start` (TVI_ROOT: the whole tree), children before the next sibling;
    // the first item whose data (text, exact and case-sensitive) matches, selected when
    // `select` is set; null when none does.
    virtual HTREEITEM FindItemByData(LPARAM data, bool select, HTREEITEM start = TVI_ROOT);
    virtual HTREEITEM FindItemByText(const wchar_t* text, bool select, HTREEITEM start = TVI_ROOT);
    virtual HTREEITEM InsertItem(const wchar_t* text, int image, int selectedImage, LPARAM data, HTREEITEM parent,
                                 HTREEITEM after);
    virtual HTREEITEM InsertItem(const wchar_t* text, LPARAM data, HTREEITEM parent, HTREEITEM after = TVI_LAST);
    virtual HTREEITEM InsertItem(const TVINSERTSTRUCTW& insert);

protected:
    std::wstring itemText;
};

}  // namespace sektra
