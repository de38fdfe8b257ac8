#include "app/win32/MainFrame.h"

#include <windowsx.h>

#include <algorithm>

#include "app/win32/MessageBoxes.h"
#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

// The panes' own procedures, kept while they are subclassed so that the sizing cursor also
// shows over their edge pixels.
WNDPROC treePreviousProc = nullptr;
WNDPROC listPreviousProc = nullptr;

// The panes hold the keyboard focus, so the keys that act on the whole window are caught
// here and handed to the frame as the menu commands they stand for. Enter in the detail list
// acts like a double-click: a dialog would otherwise turn it into IDOK, so the list asks for
// it (WM_GETDLGCODE) and reports it as NM_RETURN, once, whatever the control itself does.
bool HandlePaneKey(HWND pane, UINT message, WPARAM wParam, LPARAM lParam, bool list, LRESULT& result) {
    const HWND frame = GetParent(pane);
    if (message == WM_KEYDOWN && (wParam == VK_F5 || wParam == VK_F1)) {
        SendMessageW(frame, WM_COMMAND, MAKEWPARAM(wParam == VK_F5 ? IDM_REFRESH : IDM_HELP, 0), 0);
        result = 0;
        return true;
    }
    if (!list) return false;
    const auto* pending = reinterpret_cast<const MSG*>(lParam);
    if (message == WM_GETDLGCODE && pending != nullptr && pending->message == WM_KEYDOWN &&
        pending->wParam == VK_RETURN) {
        result = DLGC_WANTALLKEYS;
        return true;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        NMHDR header{pane, static_cast<UINT_PTR>(GetDlgCtrlID(pane)), static_cast<UINT>(NM_RETURN)};
        SendMessageW(frame, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
        result = 0;
        return true;
    }
    if (message == WM_CHAR && wParam == L'\r') {  // the Enter just handled: no beep
        result = 0;
        return true;
    }
    return false;
}

bool CursorOnEdge(HWND window, bool rightEdge) {
    POINT cursor;
    RECT rect;
    if (!GetCursorPos(&cursor) || !GetWindowRect(window, &rect)) return false;
    if (cursor.y < rect.top || cursor.y > rect.bottom) return false;
    return rightEdge ? (cursor.x >= rect.right - 2 && cursor.x <= rect.right)
                     : (cursor.x >= rect.left && cursor.x <= rect.left + 1);
}

LRESULT CALLBACK TreeEdgeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePaneKey(window, message, wParam, lParam, false, result)) return result;
    if (message == WM_SETCURSOR && CursorOnEdge(window, true)) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return 0;
    }
    return CallWindowProcW(treePreviousProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ListEdgeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (HandlePaneKey(window, message, wParam, lParam, true, result)) return result;
    if (message == WM_SETCURSOR && CursorOnEdge(window, false)) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return 0;
    }
    return CallWindowProcW(listPreviousProc, window, message, wParam, lParam);
}

bool DraggingEdge(WPARAM edge, WPARAM a, WPARAM b, WPARAM c) { return edge == a || edge == b || edge == c; }

}  // namespace

MainFrame::~MainFrame() {
    RestorePaneProcedures();
    if (patternBrush != nullptr) DeleteObject(patternBrush);
    delete listView;
    delete treeView;
    Destroy();
    if (fixedFont != nullptr) DeleteObject(fixedFont);  // only once the list that used it is gone
}

TreeView* MainFrame::GetTreeView() { return treeView; }

ListView* MainFrame::GetListView() { return listView; }

void MainFrame::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    switch (record.message) {
        case WM_INITDIALOG: OnInitDialog(record); break;
        case WM_DESTROY: PostQuitMessage(0); break;
        case WM_SIZE: OnSize(record); break;
        case WM_CLOSE: OnClose(record); break;
        case WM_SETCURSOR: OnSetCursor(record); break;
        case WM_MOUSEACTIVATE: OnMouseActivate(record); break;
        case WM_MOUSEMOVE: OnMouseMove(record); break;
        case WM_LBUTTONDOWN: OnLButtonDown(record); break;
        case WM_LBUTTONUP: OnLButtonUp(record); break;
        case WM_SIZING: OnSizing(record); break;
        default: break;
    }
}

void MainFrame::OnInitDialog(MessageRecord&) {
    HINSTANCE resources = theApplication->GetResourceInstance();
    if (HICON big = static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(IDI_SEKTRA), IMAGE_ICON, 32, 32, 0))) {
        SetClassIcon(big);
    }
    if (HICON small = static_cast<HICON>(LoadImageW(resources, MAKEINTRESOURCEW(IDI_SEKTRA), IMAGE_ICON, 16, 16, 0))) {
        SetClassSmallIcon(small);
    }
    if (CreateChildren() != 0) {
        PostMessage(WM_CLOSE, 0, 0);
        return;
    }
    listView->InsertColumn(0, ResourceString(IDS_COLUMN_ITEM).c_str(), 150, LVCFMT_LEFT);
    listView->InsertColumn(1, ResourceString(IDS_COLUMN_VALUE).c_str(), 160, LVCFMT_RIGHT);
    listView->InsertColumn(2, ResourceString(IDS_COLUMN_REMARK).c_str(), 180, LVCFMT_LEFT);
    listView->SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    treePreviousProc = treeView->SetWindowProc(TreeEdgeProc);
    listPreviousProc = listView->SetWindowProc(ListEdgeProc);
    LayoutPanes();
    EnableDeviceSelection();
}

int MainFrame::CreateChildren() {
    treeView = new TreeView(GetHandle(), IDC_DEVICE_TREE);
    listView = new ListView(GetHandle(), IDC_DETAIL_LIST);
    return 0;
}

void MainFrame::EnableDeviceSelection() {
    HMENU menu = GetMenu(GetHandle());
    HMENU first = menu != nullptr ? GetSubMenu(menu, 0) : nullptr;
    if (first != nullptr) EnableMenuItem(first, IDM_SELECT_DEVICES, MF_BYCOMMAND | MF_ENABLED);
}

void MainFrame::RestorePaneProcedures() {
    if (treeView != nullptr && treePreviousProc != nullptr) treeView->SetWindowProc(treePreviousProc);
    if (listView != nullptr && listPreviousProc != nullptr) listView->SetWindowProc(listPreviousProc);
    treePreviousProc = nullptr;
    listPreviousProc = nullptr;
}

void MainFrame::OnClose(MessageRecord&) {
    RestorePaneProcedures();
    if (patternBrush != nullptr) {
        DeleteObject(patternBrush);
        patternBrush = nullptr;
    }
    Destroy();  // WM_DESTROY then ends the message loop
}

void MainFrame::ShowHexDumpLayout(bool hexDump) {
    if (listView == nullptr) return;
    const HWND list = listView->GetHandle();
    if (listFont == nullptr) listFont = reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0));
    if (firstWidths[0] == 0) {
        for (int i = 0; i < 2; ++i) firstWidths[i] = ListView_GetColumnWidth(list, i);
    }
    dumpValueWidth = 0;
    if (hexDump && fixedFont == nullptr) {
        // A fixed-pitch face, so that the bytes of every dump row stand in columns; the mapper
        // falls back on any fixed-pitch Japanese face when this one is missing.
        LOGFONTW font{};
        HDC dc = GetDC(list);
        font.lfHeight = -MulDiv(9, dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96, 72);
        if (dc != nullptr) ReleaseDC(list, dc);
        font.lfCharSet = SHIFTJIS_CHARSET;
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        wcscpy(font.lfFaceName, L"ＭＳ ゴシック");
        fixedFont = CreateFontIndirectW(&font);
    }
    HFONT wanted = hexDump && fixedFont != nullptr ? fixedFont : listFont;
    if (reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)) != wanted) {
        ::SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
    }
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    column.fmt = hexDump ? LVCFMT_LEFT : LVCFMT_RIGHT;
    ListView_SetColumn(list, 1, &column);
    if (!hexDump) return;
    // The dump's value column must hold a whole row of bytes, its remark the eight characters.
    static const wchar_t* const kWidest[] = {L"00 11 22 33  44 55 66 77", L"MMMMMMMM"};
    for (int i = 0; i < 2; ++i) {
        const int needed = ListView_GetStringWidth(list, kWidest[i]) + 16;
        if (i == 0) dumpValueWidth = needed;
        if (ListView_GetColumnWidth(list, i + 1) < needed) ListView_SetColumnWidth(list, i + 1, needed);
    }
}

void MainFrame::FitColumnsTo(const DetailRows& rows) {
    if (listView == nullptr) return;
    const HWND list = listView->GetHandle();
    // Decoded rows come first; a defect list's thousands of rows are alike, so the first rows
    // tell enough. Wider texts than the limit end in an ellipsis as before.
    constexpr std::size_t kRowsMeasured = 64;
    constexpr int kLimits[] = {280, 440};
    for (int column = 0; column < 2; ++column) {
        int needed = 0;
        for (std::size_t i = 0; i < rows.size() && i < kRowsMeasured; ++i) {
            const std::wstring& text = column == 0 ? rows[i].label : rows[i].value;
            needed = std::max(needed, ListView_GetStringWidth(list, text.c_str()) + 16);
        }
        int width = std::max(firstWidths[column], std::min(needed, kLimits[column]));
        if (column == 1) width = std::max(width, dumpValueWidth);
        if (ListView_GetColumnWidth(list, column) != width) ListView_SetColumnWidth(list, column, width);
    }
}

int MainFrame::TreeWidth() const {
    RECT rect{};
    if (treeView == nullptr || treeView->GetWindowRect(rect) != 0) return 0;
    return rect.right - rect.left;
}

void MainFrame::OnSize(MessageRecord&) { LayoutPanes(); }

void MainFrame::LayoutPanes() {
    if (treeView == nullptr || listView == nullptr) return;
    RECT client{};
    GetClientRect(client);
    const int width = TreeWidth();
    const int height = client.bottom - client.top;
    MoveWindow(treeView->GetHandle(), 0, 0, width, height, TRUE);
    MoveWindow(listView->GetHandle(), width + 2, 0, client.right - (width + 2), height, TRUE);
}

void MainFrame::OnSizing(MessageRecord& record) {
    RECT* rect = reinterpret_cast<RECT*>(record.lParam);
    if (rect == nullptr) return;
    const WPARAM edge = record.wParam;
    if (rect->bottom - rect->top < kMinHeight) {
        if (DraggingEdge(edge, WMSZ_TOP, WMSZ_TOPLEFT, WMSZ_TOPRIGHT)) rect->top = rect->bottom - kMinHeight;
        else rect->bottom = rect->top + kMinHeight;
    }
    if (rect->right - rect->left < kMinWidth) {
        if (DraggingEdge(edge, WMSZ_LEFT, WMSZ_TOPLEFT, WMSZ_BOTTOMLEFT)) rect->left = rect->right - kMinWidth;
        else rect->right = rect->left + kMinWidth;
    }
    record.result = 1;
}

void MainFrame::OnSetCursor(MessageRecord& record) {
    POINT cursor;
    RECT client{};
    if (!GetCursorPos(&cursor) || !ScreenToClient(GetHandle(), &cursor)) return;
    GetClientRect(client);
    const int width = TreeWidth();
    if (cursor.x >= width && cursor.x <= width + 2 && cursor.y >= 0 && cursor.y <= client.bottom) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        record.result = 1;
    }
}

void MainFrame::OnMouseActivate(MessageRecord& record) {
    // A press on the panes' edge pixels reaches the frame only as an activation.
    if (HIWORD(record.lParam) != WM_LBUTTONDOWN) return;
    POINT cursor;
    if (!GetCursorPos(&cursor) || !ScreenToClient(GetHandle(), &cursor)) return;
    BeginSplitterDrag(cursor.x, cursor.y);
}

void MainFrame::OnLButtonDown(MessageRecord& record) {
    BeginSplitterDrag(GET_X_LPARAM(record.lParam), GET_Y_LPARAM(record.lParam));
}

void MainFrame::OnLButtonUp(MessageRecord&) { EndSplitterDrag(); }

void MainFrame::OnMouseMove(MessageRecord& record) {
    if (!dragging || ::GetCapture() != GetHandle()) return;
    DrawSplitterBar(dragBar);  // erase at the old place
    dragBar.left = GET_X_LPARAM(record.lParam);
    DrawSplitterBar(dragBar);
}

void MainFrame::BeginSplitterDrag(int x, int y) {
    if (dragging || ::GetCapture() != nullptr) return;
    RECT client{};
    GetClientRect(client);
    const int width = TreeWidth();
    if (x < width - 2 || x > width + 3 || y < 0 || y > client.bottom) return;
    SetCapture(GetHandle());
    RECT confine{};
    GetClientRectOnScreen(confine);
    confine.left += kMinTreeWidth;
    confine.right -= 60;
    ClipCursor(&confine);
    dragOffset = x - width;
    dragBar = RECT{width - 1, 0, 4, client.bottom - client.top};
    dragging = true;
    DrawSplitterBar(dragBar);
}

void MainFrame::EndSplitterDrag() {
    if (!dragging) return;
    DrawSplitterBar(dragBar);  // erase
    ReleaseCapture();
    ClipCursor(nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(GetHandle(), &cursor);
    const int width = std::max<int>(cursor.x - dragOffset, kMinTreeWidth);
    RECT tree{};
    treeView->GetWindowRect(tree);
    MoveWindow(treeView->GetHandle(), 0, 0, width, tree.bottom - tree.top, TRUE);
    LayoutPanes();
    dragging = false;
}

void MainFrame::DrawSplitterBar(const RECT& bar) {
    HDC dc = GetDC(GetHandle());
    if (dc == nullptr) return;
    if (patternBrush == nullptr) {
        // An 8x8 checkerboard: drawn twice at one place the bar is gone again.
        static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, kPattern);
        if (bitmap != nullptr) {
            patternBrush = CreatePatternBrush(bitmap);
            DeleteObject(bitmap);
        }
    }
    HGDIOBJ previous = SelectObject(dc, patternBrush);
    PatBlt(dc, bar.left, bar.top, bar.right, bar.bottom, PATINVERT);
    SelectObject(dc, previous);
    ReleaseDC(GetHandle(), dc);
}

}  // namespace sektra
