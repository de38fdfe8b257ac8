// Shows one dialog of Sektra.jpn with sample texts until it is closed, for looking at the
// layout and the Japanese rendering: show_dialog.exe [template id] (default: the transfer test).
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <string>

#include "framework/win32/ApplicationBase.h"
#include "framework/win32/Dialog.h"
#include "framework/win32/ListView.h"
#include "framework/win32/ProgressBar.h"
#include "framework/win32/TreeView.h"
#include "language/ResourceIds.h"

namespace {

using namespace sektra;

class Viewer : public ApplicationBase {
public:
    explicit Viewer(HINSTANCE instance) : ApplicationBase(instance) {}
    void Use(HMODULE module) { resourceModule = module; }
};

class SampleDialog : public Dialog {
public:
    void OnMessage(MessageRecord& record) override {
        if (record.window != GetHandle()) return;
        if (record.message == WM_INITDIALOG) Fill();
        if (record.message == WM_CLOSE || (record.message == WM_COMMAND && LOWORD(record.wParam) == IDC_TEST_CLOSE)) {
            Destroy();
            PostQuitMessage(0);
        }
    }

private:
    void Set(int id, const wchar_t* text) { SetDlgItemTextW(GetHandle(), id, text); }

    void Fill() {
        HWND dialog = GetHandle();
        if (GetDlgItem(dialog, IDC_TEST_PROGRESS)) SetText(L"Seq. Read Test(64.0KB 全域 (0% - 100%)) - 実行中");
        Set(IDC_TEST_DEVICE, L" SEKTRA DEMO ATA DISK 1.00");
        Set(IDC_TEST_BLOCK_RANGE, L"    1048576 -    1048703 (0 - 4194303)");
        Set(IDC_TEST_ELAPSED, L"0 時間 / 1 分 / 15 秒");
        Set(IDC_TEST_COUNT, L" 8192");
        Set(IDC_TEST_CLOCK, L"2026/12/10 01:23:45");
        Set(IDC_TEST_FINISH, L"2026/12/10 01:24:40");
        Set(IDC_TEST_BEST, L" 61234 KB/Sec");
        Set(IDC_TEST_AVERAGE, L" 58012 KB/Sec");
        Set(IDC_TEST_WORST, L" 40321 KB/Sec");
        Set(IDC_HELP_LINK, L"Sektra.chm");
        EnableWindow(GetDlgItem(dialog, IDC_TEST_START), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_TEST_SAVE), FALSE);
        EnableWindow(GetDlgItem(dialog, IDC_TEST_CLOSE), FALSE);
        if (GetDlgItem(dialog, IDC_TEST_PROGRESS)) {
            ProgressBar progress(dialog, IDC_TEST_PROGRESS);
            progress.SetRange(0, 1000);
            progress.SetPos(420);
        }
        if (GetDlgItem(dialog, IDC_DEVICE_TREE)) {
            TreeView tree(dialog, IDC_DEVICE_TREE);
            HTREEITEM root = tree.InsertItem(theApplication->LoadString(IDS_TREE_ROOT), 0, TVI_ROOT);
            HTREEITEM disks = tree.InsertItem(theApplication->LoadString(IDS_TREE_DISKS), 0x10000000, root);
            HTREEITEM device = tree.InsertItem(L"SEKTRA DEMO ATA DISK 1.00", 0x11000000, disks);
            tree.InsertItem(theApplication->LoadString(IDS_TREE_INQUIRY), 0x11002000, device);
            HTREEITEM tests = tree.InsertItem(theApplication->LoadString(IDS_TREE_TESTS), 0x11001000, device);
            for (UINT id = IDS_TREE_SEQUENTIAL_READ; id <= IDS_TREE_SEEK; ++id) {
                tree.InsertItem(theApplication->LoadString(id), 0, tests);
            }
            tree.Expand(root, TVE_EXPAND);
            tree.Expand(disks, TVE_EXPAND);
            tree.Expand(device, TVE_EXPAND);
            tree.Expand(tests, TVE_EXPAND);
            ListView list(dialog, IDC_DETAIL_LIST);
            for (int column = 0; column < 3; ++column) {
                std::wstring heading = theApplication->LoadString(IDS_COLUMN_ITEM + column);
                list.InsertColumn(column, heading.c_str(), 150, column == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT);
            }
            list.SetExtendedStyle(0x21, 0x21);
            const wchar_t* rows[][3] = {
                {L"モデル", L"SEKTRA DEMO ATA DISK", L""},
                {L"容量", L"2147483648", L"bytes"},
                {L"容量", L"2048 MB", L"1 MB = 1,048,576 bytes"},
            };
            for (int row = 0; row < 3; ++row) {
                list.InsertItem(row, rows[row][0], 0);
                list.SetItemText(row, 1, rows[row][1]);
                list.SetItemText(row, 2, rows[row][2]);
            }
        }
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    InitCommonControls();
    Viewer viewer(instance);
    theApplication = &viewer;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.erase(folder.rfind(L'\\') + 1);
    HMODULE module = LoadLibraryExW((folder + L"Sektra.jpn").c_str(), nullptr, 0);
    if (module == nullptr) return 1;
    viewer.Use(module);
    const int templateId = commandLine && *commandLine ? static_cast<int>(std::wcstol(commandLine, nullptr, 10))
                                                       : IDD_TRANSFER_TEST;
    {
        SampleDialog dialog;
        if (dialog.Create(module, templateId, nullptr) != 0) return 2;
        dialog.Show(true);
        viewer.RunMessageLoop();
    }
    theApplication = nullptr;
    return 0;
}
