// A helper for the demo journey: drives Sektra's device tree, detail list and save dialog from
// another program of the same wine session. The tree and list items live in Sektra's memory,
// so their records go through memory allocated there.
//   demo_probe select TITLE CODE    selects the tree item whose data is CODE (0x hex)
//   demo_probe open TITLE CODE      double-clicks the detail-list row whose data is CODE
//   demo_probe save OWNER PATH      in the save dialog owned by the window titled OWNER:
//                                   prints the proposed name, enters PATH and confirms
//   demo_probe rows TITLE COLUMNS   prints the detail list's rows, COLUMNS (1 to 3) columns
//                                   each, separated by tabs
// Output is UTF-8. Exit code 0, or 1 when a window or an item was not found in 30 seconds.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void PrintLine(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

HWND WaitForWindow(const wchar_t* title) {
    for (int i = 0; i < 300; ++i) {
        HWND window = FindWindowW(nullptr, title);
        if (window != nullptr && IsWindowVisible(window)) return window;
        Sleep(100);
    }
    return nullptr;
}

// Memory of the window's process, for records a control fills or reads there.
class RemoteMemory {
public:
    RemoteMemory(HWND window, SIZE_T size) : size(size) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        handle = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (handle) address = VirtualAllocEx(handle, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteMemory() {
        if (address) VirtualFreeEx(handle, address, 0, MEM_RELEASE);
        if (handle) CloseHandle(handle);
    }
    bool Write(const void* data, SIZE_T bytes) { return WriteProcessMemory(handle, address, data, bytes, nullptr); }
    bool Read(void* data, SIZE_T bytes) { return ReadProcessMemory(handle, address, data, bytes, nullptr); }
    LPARAM Address() const { return reinterpret_cast<LPARAM>(address); }
    bool Ok() const { return address != nullptr; }

private:
    HANDLE handle = nullptr;
    void* address = nullptr;
    SIZE_T size;
};

LPARAM ItemData(HWND tree, HTREEITEM item, RemoteMemory& memory) {
    TVITEMW record = {};
    record.mask = TVIF_PARAM | TVIF_HANDLE;
    record.hItem = item;
    memory.Write(&record, sizeof record);
    SendMessageW(tree, TVM_GETITEMW, 0, memory.Address());
    memory.Read(&record, sizeof record);
    return record.lParam;
}

// Depth first, expanding on the way, as the user opens the folders.
HTREEITEM FindItem(HWND tree, HTREEITEM item, LPARAM code, RemoteMemory& memory) {
    for (; item != nullptr; item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        if (ItemData(tree, item, memory) == code) return item;
        auto child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        if (HTREEITEM found = FindItem(tree, child, code, memory)) return found;
    }
    return nullptr;
}

int Select(HWND main, LPARAM code) {
    HWND tree = GetDlgItem(main, 1002);
    RemoteMemory memory(tree, sizeof(TVITEMW));
    if (!memory.Ok()) return 1;
    auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM item = FindItem(tree, root, code, memory);
    if (item == nullptr) return 1;
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    return SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) ? 0 : 1;
}

int Open(HWND main, LPARAM code) {
    HWND list = GetDlgItem(main, 1003);
    RemoteMemory memory(list, 256);
    if (!memory.Ok()) return 1;
    for (int attempt = 0; attempt < 300; ++attempt) {
        LVFINDINFOW find = {};
        find.flags = LVFI_PARAM;
        find.lParam = code;
        memory.Write(&find, sizeof find);
        const int row = static_cast<int>(SendMessageW(list, LVM_FINDITEMW, static_cast<WPARAM>(-1), memory.Address()));
        if (row >= 0) {
            RECT bounds = {};
            bounds.left = LVIR_LABEL;
            memory.Write(&bounds, sizeof bounds);
            SendMessageW(list, LVM_GETITEMRECT, row, memory.Address());
            memory.Read(&bounds, sizeof bounds);
            const LPARAM point = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
            PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
            PostMessageW(list, WM_LBUTTONUP, 0, point);
            PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
            PostMessageW(list, WM_LBUTTONUP, 0, point);
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

// The list's rows as the user reads them; the texts come back through Sektra's memory.
int Rows(HWND main, int columns) {
    HWND list = GetDlgItem(main, 1003);
    constexpr int kChars = 512;
    RemoteMemory memory(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    if (!memory.Ok()) return 1;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const LPARAM textAddress = memory.Address() + static_cast<LPARAM>(sizeof(LVITEMW));
    for (int row = 0; row < count; ++row) {
        std::wstring line;
        for (int column = 0; column < columns && column < 3; ++column) {
            std::vector<unsigned char> record(sizeof(LVITEMW) + kChars * sizeof(wchar_t), 0);
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(textAddress);
            item.cchTextMax = kChars;
            std::memcpy(record.data(), &item, sizeof item);
            memory.Write(record.data(), record.size());
            SendMessageW(list, LVM_GETITEMTEXTW, row, memory.Address());
            memory.Read(record.data(), record.size());
            const auto* text = reinterpret_cast<const wchar_t*>(record.data() + sizeof(LVITEMW));
            if (column > 0) line += L'\t';
            line += std::wstring(text, wcsnlen(text, kChars));
        }
        PrintLine(line);
    }
    return 0;
}

struct SaveSearch {
    HWND owner;
    HWND dialog;
};

BOOL CALLBACK FindSaveDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<SaveSearch*>(data);
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) &&
        (GetDlgItem(window, 0x47C) != nullptr || GetDlgItem(window, 0x480) != nullptr)) {
        search->dialog = window;
        return FALSE;
    }
    return TRUE;
}

int Save(HWND owner, const wchar_t* path) {
    SaveSearch search = {owner, nullptr};
    for (int i = 0; i < 300 && search.dialog == nullptr; ++i) {
        EnumWindows(FindSaveDialog, reinterpret_cast<LPARAM>(&search));
        if (search.dialog == nullptr) Sleep(100);
    }
    if (search.dialog == nullptr) return 1;
    Sleep(300);  // let the dialog finish its set-up
    HWND box = GetDlgItem(search.dialog, 0x47C);
    if (box == nullptr) box = GetDlgItem(search.dialog, 0x480);
    // WM_GETTEXT and WM_SETTEXT themselves: GetWindowText and SetWindowText do not reach the
    // text of another program's control.
    wchar_t proposed[1024] = {};
    SendMessageW(box, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(proposed));
    PrintLine(proposed);
    RECT bounds = {}, workArea = {};
    GetWindowRect(search.dialog, &bounds);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    wchar_t place[128];
    swprintf(place, 128, L"%ld %ld %ld %ld %ld %ld", bounds.left, bounds.top, bounds.right - bounds.left,
             bounds.bottom - bounds.top, workArea.right - workArea.left, workArea.bottom - workArea.top);
    PrintLine(place);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    PostMessageW(search.dialog, WM_COMMAND, IDOK, 0);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    const std::wstring command = argv[1];
    HWND window = WaitForWindow(argv[2]);
    if (window == nullptr) return 1;
    if (command == L"select") return Select(window, static_cast<LPARAM>(wcstoul(argv[3], nullptr, 0)));
    if (command == L"open") return Open(window, static_cast<LPARAM>(wcstoul(argv[3], nullptr, 0)));
    if (command == L"save") return Save(window, argv[3]);
    if (command == L"rows") return Rows(window, static_cast<int>(wcstoul(argv[3], nullptr, 0)));
    return 2;
}
