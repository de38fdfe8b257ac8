#include "framework/win32/ListView.h"

#include <vector>

#include "framework/win32/CommonControls.h"

namespace sektra {

namespace {
bool listViewReady = false;
constexpr UINT kStateImageMask = 0xF000;
}  // namespace

ListView::ListView(HWND dialog, int id) : Control(dialog, id) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES, listViewReady);
}

int ListView::SetCheckState(int item, bool checked) {
    LVITEMW state{};
    state.stateMask = kStateImageMask;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return SetItemState(item, state);
}

int ListView::SetColumn(int index, const LVCOLUMNW& column) {
    return SendMessage(LVM_SETCOLUMNW, index, reinterpret_cast<LPARAM>(&column)) ? 0 : -1;
}

int ListView::SetColumnText(int index, const wchar_t* text) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = const_cast<wchar_t*>(text);
    return SetColumn(index, column);
}

DWORD ListView::SetExtendedStyle(DWORD mask, DWORD style) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, style));
}

HIMAGELIST ListView::SetImageList(HIMAGELIST list, int kind) {
    return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, kind, reinterpret_cast<LPARAM>(list)));
}

int ListView::SetSelected(int item, bool selected) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    return SetItemState(item, state);
}

int ListView::SetItemState(int item, const LVITEMW& state) {
    return SendMessage(LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state)) ? 0 : -1;
}

int ListView::SetItemText(int item, int subItem, const wchar_t* text) {
    LVITEMW record{};
    record.iSubItem = subItem;
    record.pszText = const_cast<wchar_t*>(text);
    return SendMessage(LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&record)) ? 0 : -1;
}

bool ListView::GetCheckState(int item) {
    return ((GetItemState(item, kStateImageMask) >> 12) - 1) != 0;
}

DWORD ListView::GetExtendedStyle() { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)); }

int ListView::GetItem(LVITEMW& item) { return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? 0 : -1; }

int ListView::GetItemCount() { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT, 0, 0)); }

LPARAM ListView::GetItemData(int item) {
    LVITEMW record{};
    record.mask = LVIF_PARAM;
    record.iItem = item;
    GetItem(record);
    return record.lParam;
}

UINT ListView::GetItemState(int item, UINT mask) {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, item, mask));
}

bool ListView::IsSelected(int item) { return (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0; }

std::wstring ListView::GetItemText(int item, int subItem) {
    // The control copies what fits and returns the length it copied: a text that fills the
    // buffer may be longer, so ask again with twice the room.
    std::vector<wchar_t> buffer(256);
    LRESULT length = 0;
    for (;;) {
        LVITEMW record{};
        record.iSubItem = subItem;
        record.pszText = buffer.data();
        record.cchTextMax = static_cast<int>(buffer.size());
        length = SendMessage(LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&record));
        if (length < static_cast<LRESULT>(buffer.size()) - 1) break;
        buffer.assign(buffer.size() * 2, L'\0');
    }
    itemText.assign(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
    return itemText;
}

int ListView::DeleteAllColumns() {
    while (DeleteColumn(0) == 0) {
    }
    return 0;
}

int ListView::DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS, 0, 0) ? 0 : -1; }

int ListView::Clear() {
    const int result = DeleteAllItems();
    DeleteAllColumns();
    return result;
}

int ListView::DeleteColumn(int index) { return SendMessage(LVM_DELETECOLUMN, index, 0) ? 0 : -1; }

int ListView::DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, item, 0) ? 0 : -1; }

int ListView::DeleteSelectedItems() {
    // After a delete the next row moves up to the same index, so stay there.
    for (int i = 0; i < GetItemCount();) {
        if (IsSelected(i)) {
            const int result = DeleteItem(i);
            if (result != 0) return result;
        } else {
            ++i;
        }
    }
    return 0;
}

int ListView::FindItem(const LVFINDINFOW& find, int start) {
    return static_cast<int>(SendMessage(LVM_FINDITEMW, start, reinterpret_cast<LPARAM>(&find)));
}

int ListView::FindItemByData(LPARAM data, int start) {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return FindItem(find, start);
}

int ListView::FindItemByText(const wchar_t* text, int start) {
    LVFINDINFOW find{};
    find.flags = LVFI_STRING;
    find.psz = text;
    return FindItem(find, start);
}

int ListView::InsertColumn(int index, const LVCOLUMNW& column) {
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int ListView::InsertItem(int index, const wchar_t* text, LPARAM data) {
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<wchar_t*>(text);
    item.lParam = data;
    return InsertItem(item);
}

int ListView::InsertItem(const LVITEMW& item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListView::InsertColumn(int index, const wchar_t* text, int width, int format) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(text);
    return InsertColumn(index, column);
}

}  // namespace sektra
