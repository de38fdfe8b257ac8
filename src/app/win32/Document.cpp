#include "app/win32/Document.h"

#include "app/DeviceDetails.h"
#include "app/WriteRefusalText.h"
#include "app/win32/AboutDialog.h"
#include "app/win32/DeviceSelectionDialog.h"
#include "app/win32/HtmlHelp.h"
#include "app/win32/MainFrame.h"
#include "app/win32/MessageBoxes.h"
#include "app/win32/TimerOptionsDialog.h"
#include "app/win32/WaitDialog.h"
#include "device/Device.h"
#include "device/DeviceEnumeration.h"
#include "framework/IniFile.h"
#include "framework/win32/ApplicationBase.h"
#include "framework/win32/SystemInfo.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

std::uint64_t PerformanceFrequency() {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency)) return 0;
    return static_cast<std::uint64_t>(frequency.QuadPart);
}

std::wstring SettingsPath() {
    SystemInfo system;
    return SettingsFilePath(system.GetLocalAppDataFolder());
}

HINSTANCE Resources() { return theApplication->GetResourceInstance(); }

}  // namespace

Document::Document() = default;

Document::~Document() {
    DestroyDevices();
    delete waitDialog;
    delete aboutDialog;
    delete mainFrame;
}

void Document::DestroyDevices() {
    changerDevices.clear();
    cdRomDevices.clear();
    diskDevices.clear();
}

const std::vector<std::unique_ptr<Device>>& Document::GetDevices(std::uint32_t group) const {
    if (group == kGroupCdRom) return cdRomDevices;
    if (group == kGroupChanger) return changerDevices;
    return diskDevices;
}

Device* Document::GetDevice(ItemCode code) const {
    const std::uint32_t group = ItemGroupOf(code);
    if (group != kGroupDisk && group != kGroupCdRom) return nullptr;
    const auto& list = GetDevices(group);
    const std::uint32_t index = ItemDeviceIndex(code);
    return index < list.size() ? list[index].get() : nullptr;
}

int Document::Initialize() {
    IniFile file;
    const std::wstring path = SettingsPath();
    if (!path.empty()) file.Load(path.c_str());  // a missing file shows as missing keys
    if (!ReadSettings(file, settings)) {
        ShowMessageBox(nullptr, ResourceString(IDS_SETTINGS_MISSING), ResourceString(IDS_ERROR), MB_ICONHAND);
        return -1;
    }
    ApplyTimeBase(settings, PerformanceFrequency());
    settings.transferChoices = ReadTransferChoices(file);

    mainFrame = new MainFrame;
    if (mainFrame->Create(Resources(), IDD_MAIN_FRAME, nullptr) != 0) return -1;
    mainFrame->Show(true);
    return RebuildDeviceList(0);
}

void Document::OnFilterMessage(MessageRecord& record) {
    if (mainFrame == nullptr || record.window != mainFrame->GetHandle()) return;
    if (record.message == WM_COMMAND) OnCommand(record);
    else if (record.message == WM_NOTIFY) OnNotify(record);
}

void Document::OnCommand(MessageRecord& record) {
    switch (LOWORD(record.wParam)) {
        case IDM_ABOUT: ShowAbout(); break;
        case IDM_TIMER_OPTIONS: EditTimerOptions(); break;
        case IDM_REFRESH: Refresh(); break;
        case IDM_HELP: ShowHelp(); break;
        case IDM_SELECT_DEVICES: SelectDevices(); break;
        default: break;
    }
}

void Document::OnNotify(MessageRecord& record) {
    const auto* header = reinterpret_cast<const NMHDR*>(record.lParam);
    if (header == nullptr) return;
    const int control = LOWORD(record.wParam);
    if (control == IDC_DEVICE_TREE && header->code == TVN_SELCHANGEDW) {
        OnTreeSelectionChanged(reinterpret_cast<const NMTREEVIEWW*>(header));
    } else if (control == IDC_DETAIL_LIST && header->code == static_cast<UINT>(NM_DBLCLK)) {
        OnListDoubleClick(reinterpret_cast<const NMITEMACTIVATE*>(header));
    } else if (control == IDC_DETAIL_LIST && header->code == static_cast<UINT>(NM_RETURN)) {
        // Enter acts on the selected row as a double-click would.
        ActivateRow(ListView_GetNextItem(mainFrame->GetListView()->GetHandle(), -1, LVNI_SELECTED));
    }
}

void Document::ShowAbout() {
    aboutDialog = new AboutDialog;
    aboutDialog->DoModal(Resources(), IDD_ABOUT, mainFrame->GetHandle());
    delete aboutDialog;
    aboutDialog = nullptr;
}

void Document::EditTimerOptions() {
    TimerOptionsDialog dialog(settings.timerMode, static_cast<std::uint32_t>(settings.perFrq),
                              static_cast<std::uint32_t>(settings.perFrq >> 32), settings.showInterval);
    if (dialog.DoModal(Resources(), IDD_TIMER_OPTIONS, mainFrame->GetHandle()) != 0) return;
    std::int32_t mode = 0, interval = 0;
    std::uint64_t ticks = 0;
    dialog.GetResult(mode, ticks, interval);
    ApplyTimerOptions(settings, mode, ticks, interval);
    SaveSettings();
}

void Document::SaveSettings() {
    const std::wstring path = SettingsPath();
    if (path.empty()) return;
    IniFile file;
    file.Load(path.c_str());  // keeps the keys of others
    WriteSettings(file, settings);
    file.Save(path.c_str());  // a failed write is not reported
}

void Document::Refresh() {
    TreeView* tree = mainFrame->GetTreeView();
    RebuildDeviceList(static_cast<ItemCode>(tree->GetItemData(tree->GetSelection())));
}

void Document::ShowHelp() {
    static const wchar_t kNoKeyword[] = L"";
    CallHtmlHelp(mainFrame->GetHandle(), L"Sektra.chm", 2 /* HH_DISPLAY_INDEX */,
                 reinterpret_cast<DWORD_PTR>(kNoKeyword));
}

void Document::SelectDevices() {
    std::vector<Device*> devices;
    for (const auto& device : diskDevices) devices.push_back(device.get());
    for (const auto& device : cdRomDevices) devices.push_back(device.get());
    DeviceSelectionDialog dialog(devices);
    if (dialog.DoModal(Resources(), IDD_DEVICE_SELECTION, mainFrame->GetHandle()) != 0) Refresh();
}

int Document::RebuildDeviceList(ItemCode selectCode) {
    HCURSOR previousCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (waitDialog == nullptr) {
        waitDialog = new WaitDialog;
        if (waitDialog->Create(Resources(), IDD_WAIT, mainFrame->GetHandle()) != 0) {
            delete waitDialog;
            waitDialog = nullptr;
            SetCursor(previousCursor);
            return -1;
        }
    }
    DestroyDevices();
    diskDevices = EnumerateDevices(kDiskInterfaceClass);
    cdRomDevices = EnumerateDevices(kCdRomInterfaceClass);
    changerDevices = EnumerateDevices(kMediumChangerInterfaceClass);

    DeviceLists lists;
    for (const auto& device : diskDevices) lists.disks.push_back(device.get());
    for (const auto& device : cdRomDevices) lists.cdRoms.push_back(device.get());
    for (const auto& device : changerDevices) lists.changers.push_back(device.get());
    const TreeNode root = BuildDeviceTree(lists, texts, waitDialog);

    delete waitDialog;
    waitDialog = nullptr;
    ShowTree(root);
    TreeView* tree = mainFrame->GetTreeView();
    tree->Expand(tree->GetRoot(), TVE_EXPAND);
    tree->FindItemByData(static_cast<LPARAM>(selectCode), true, TVI_ROOT);
    SetCursor(previousCursor);
    return 0;
}

void Document::ShowTree(const TreeNode& root) {
    TreeView* tree = mainFrame->GetTreeView();
    tree->SetRedraw(false);
    tree->DeleteAllItems();
    struct Inserter {
        TreeView* tree;
        void Insert(const TreeNode& node, HTREEITEM parent) {
            HTREEITEM item = tree->InsertItem(node.text.c_str(), static_cast<LPARAM>(node.code), parent, TVI_LAST);
            for (const TreeNode& child : node.children) Insert(child, item);
        }
    };
    Inserter{tree}.Insert(root, TVI_ROOT);
    tree->SetRedraw(true);
}

void Document::OnTreeSelectionChanged(const NMTREEVIEWW* change) {
    const auto code = static_cast<ItemCode>(change->itemNew.lParam);
    ListView* list = mainFrame->GetListView();
    list->DeleteAllItems();
    shownRows.clear();
    mainFrame->ShowHexDumpLayout(IsHexDumpNode(code));
    if (!HasDetails(code)) return;  // changers, unknown bus types and folders show nothing
    Device* device = GetDevice(code);
    if (device == nullptr) return;
    shownRows = DescribeNode(*device, code, texts);
    const DetailRows& rows = shownRows;
    mainFrame->FitColumnsTo(rows);
    // Defect lists run to thousands of rows: paint once at the end.
    list->SetRedraw(false);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        list->InsertItem(row, rows[i].label.c_str(), static_cast<LPARAM>(rows[i].code));
        list->SetItemText(row, 1, rows[i].value.c_str());
        list->SetItemText(row, 2, rows[i].remark.c_str());
    }
    list->SetRedraw(true);
}

void Document::OnListDoubleClick(const NMITEMACTIVATE* activation) { ActivateRow(activation->iItem); }

void Document::ActivateRow(int row) {
    if (row < 0) return;
    if (static_cast<std::size_t>(row) < shownRows.size() && !shownRows[row].refusal.empty()) {
        ShowMessageBox(mainFrame->GetHandle(), shownRows[row].refusal, ResourceString(IDS_NOT_READY_CAPTION),
                       MB_ICONINFORMATION);
        return;
    }
    const auto code = static_cast<ItemCode>(mainFrame->GetListView()->GetItemData(row));
    if (code == 0) return;
    if (IsTransferSizeRow(code)) {
        // The size's own node lists its range variants.
        mainFrame->GetTreeView()->FindItemByData(static_cast<LPARAM>(code), true, TVI_ROOT);
    } else if (ItemCategoryOf(code) == kCategoryTests) {
        OpenTestWindow(code);
    }
}

void Document::OpenTestWindow(ItemCode itemCode) {
    Device* device = GetDevice(itemCode);
    if (device == nullptr) return;
    if (IsWritingTest(itemCode) && device->IsWriteProtected()) {
        ShowMessageBox(nullptr, ResourceString(IDS_PROTECTED_DEVICE), ResourceString(IDS_PROTECTED_CAPTION),
                       MB_ICONHAND);
        return;
    }
    // Blocks are overwritten only on a disk that holds no data; the drive-buffer test writes none.
    if (IsBlockWritingTest(itemCode)) {
        const std::wstring refusal = WriteRefusalText(CheckDiskBeforeWriting(*device), texts);
        if (!refusal.empty()) {
            ShowMessageBox(nullptr, refusal, ResourceString(IDS_REFUSE_CAPTION), MB_ICONHAND);
            return;
        }
    }
    const TransferChoices before = settings.transferChoices;
    StartTestWindow(TestWindowRequest{mainFrame->GetHandle(), device, itemCode, settings.ticksPerSecond,
                                      settings.timerMode, settings.showInterval, settings.performCells,
                                      &settings.transferChoices});
    // The transfer options dialog may have changed them: the preset rows use them from now on.
    if (settings.transferChoices.alignedPositions != before.alignedPositions ||
        settings.transferChoices.randomWriteData != before.randomWriteData) {
        SaveSettings();
    }
}

void Document::StartTestWindow(const TestWindowRequest& request) { RunTestWindow(request); }

}  // namespace sektra
