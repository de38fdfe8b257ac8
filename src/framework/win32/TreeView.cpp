#include "framework/win32/TreeView.h"

#include <cwchar>
#include <vector>

#include "framework/win32/CommonControls.h"

namespace sektra {

namespace {
bool treeViewReady = false;
}

TreeView::TreeView(HWND dialog, int id) : Control(dialog, id) {
    EnsureCommonControls(ICC_TREEVIEW_CLASSES, treeViewReady);
}

HIMAGELIST TreeView::SetImageList(HIMAGELIST list, int kind) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(list)));
}

int TreeView::SelectItem(HTREEITEM item, int flag) {
    return SendMessage(TVM_SELECTITEM, flag, reinterpret_cast<LPARAM>(item)) ? 0 : -1;
}

HTREEITEM TreeView::GetChild(HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeView::GetNextSibling(HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeView::GetParentItem(HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM TreeView::GetRoot() { return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_ROOT, 0)); }

HTREEITEM TreeView::GetSelection() {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, TVGN_CARET, 0));
}

int TreeView::GetItem(TVITEMW& item) { return SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? 0 : -1; }

LPARAM TreeView::GetItemData(HTREEITEM item) {
    TVITEMW record{};
    record.mask = TVIF_PARAM | TVIF_HANDLE;
    record.hItem = item;
    GetItem(record);
    return record.lParam;
}

std::wstring TreeView::GetItemText(HTREEITEM item) {
    // The control copies what fits; a text that fills the buffer may be longer.
    std::vector<wchar_t> buffer(256);
    std::size_t length = 0;
    for (;;) {
        TVITEMW record{};
        record.mask = TVIF_TEXT | TVIF_HANDLE;
        record.hItem = item;
        record.pszText = buffer.data();
        record.cchTextMax = static_cast<int>(buffer.size());
        buffer[0] = L'\0';
        GetItem(record);
        // The control may hand back its own buffer instead of filling ours.
        const wchar_t* text = record.pszText ? record.pszText : buffer.data();
        length = wcsnlen(text, buffer.size());
        if (length < buffer.size() - 1) {
            itemText.assign(text, length);
            return itemText;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

int TreeView::DeleteAllItems() {
    return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)) ? 0 : -1;
}

int TreeView::DeleteItem(HTREEITEM item) {
    return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) ? 0 : -1;
}

int TreeView::Expand(HTREEITEM item, UINT code) {
    return SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)) ? 0 : -1;
}

HTREEITEM TreeView::FindItemByData(LPARAM data, bool select, HTREEITEM start) {
    if (start == TVI_ROOT) start = GetRoot();
    for (HTREEITEM item = start; item != nullptr; item = GetNextSibling(item)) {
        if (GetItemData(item) == data) {
            if (select) SelectItem(item, TVGN_CARET);
            return item;
        }
        HTREEITEM child = GetChild(item);
        if (child != nullptr) {
            HTREEITEM hit = FindItemByData(data, select, child);
            if (hit != nullptr) return hit;
        }
    }
    return nullptr;
}

HTREEITEM TreeView::FindItemByText(const wchar_t* text, bool select, HTREEITEM start) {
    if (text == nullptr) return nullptr;
    if (start == TVI_ROOT) start = GetRoot();
    for (HTREEITEM item = start; item != nullptr; item = GetNextSibling(item)) {
        if (GetItemText(item) == text) {
            if (select) SelectItem(item, TVGN_CARET);
            return item;
        }
        HTREEITEM child = GetChild(item);
        if (child != nullptr) {
            HTREEITEM hit = FindItemByText(text, select, child);
            if (hit != nullptr) return hit;
        }
    }
    return nullptr;
}

HTREEITEM TreeView::InsertItem(const wchar_t* text, int image, int selectedImage, LPARAM data, HTREEITEM parent,
                               HTREEITEM after) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.lParam = data;
    return InsertItem(insert);
}

HTREEITEM TreeView::InsertItem(const wchar_t* text, LPARAM data, HTREEITEM parent, HTREEITEM after) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(text);
    insert.item.lParam = data;
    return InsertItem(insert);
}

HTREEITEM TreeView::InsertItem(const TVINSERTSTRUCTW& insert) {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace sektra
