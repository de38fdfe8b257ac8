#include "app/win32/DeviceSelectionDialog.h"

#include "app/TextSource.h"
#include "app/win32/MessageBoxes.h"
#include "device/Device.h"
#include "device/TypeNames.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

std::wstring Widen(const char* ascii) {
    std::wstring text;
    for (; ascii != nullptr && *ascii != '\0'; ++ascii) text += static_cast<wchar_t>(static_cast<unsigned char>(*ascii));
    return text;
}

}  // namespace

DeviceSelectionDialog::DeviceSelectionDialog(const std::vector<Device*>& devices) : devices(devices) {}

DeviceSelectionDialog::~DeviceSelectionDialog() {
    delete cancelButton;
    delete okButton;
    delete deviceList;
    Destroy();
}

void DeviceSelectionDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    switch (record.message) {
        case WM_INITDIALOG: OnInitDialog(record); break;
        case WM_COMMAND: OnCommand(record); break;
        case WM_CLOSE: End(static_cast<INT_PTR>(record.wParam)); break;
        case WM_SIZE: Layout(); break;
        case WM_SIZING: OnSizing(record); break;
        default: break;
    }
}

int DeviceSelectionDialog::CreateControls() {
    deviceList = new ListView(GetHandle(), IDC_DEVICE_LIST);
    okButton = new Control(GetHandle(), IDOK);
    cancelButton = new Control(GetHandle(), IDCANCEL);
    return 0;
}

void DeviceSelectionDialog::MeasureLayout() {
    RECT client{}, list{}, ok{}, cancel{};
    GetClientRectOnScreen(client);
    deviceList->GetWindowRect(list);
    okButton->GetWindowRect(ok);
    cancelButton->GetWindowRect(cancel);
    listBottomGap = client.bottom - list.bottom;
    okTopGap = client.bottom - ok.top;
    okLeftGap = client.right - ok.left;
    cancelLeftGap = client.right - cancel.left;
}

void DeviceSelectionDialog::OnInitDialog(MessageRecord& record) {
    if (CreateControls() != 0) {
        PostMessage(WM_CLOSE, 1, 0);
        return;
    }
    EnableMenuItem(GetSystemMenu(GetHandle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    MeasureLayout();
    Layout();
    cancelButton->SetFocus();
    record.result = 0;  // the focus stays where it was put
    deviceList->InsertColumn(0, ResourceString(IDS_DEVICE_COLUMN_NAME).c_str(), 300, LVCFMT_LEFT);
    deviceList->InsertColumn(1, ResourceString(IDS_DEVICE_COLUMN_TYPE).c_str(), 130, LVCFMT_RIGHT);
    deviceList->InsertColumn(2, ResourceString(IDS_DEVICE_COLUMN_BUS).c_str(), 90, LVCFMT_RIGHT);
    const DWORD style = LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT;
    deviceList->SetExtendedStyle(style, style);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        Device& device = *devices[i];
        const int row = static_cast<int>(i);
        deviceList->InsertItem(row, DeviceText(device.GetModelNameWithRevision()).c_str(), 0);
        deviceList->SetItemText(row, 1, Widen(GetPeripheralTypeName(device.GetPeripheralType())).c_str());
        deviceList->SetItemText(row, 2, Widen(GetBusTypeName(device.GetBusType())).c_str());
        deviceList->SetCheckState(row, device.IsWriteProtected());
    }
}

void DeviceSelectionDialog::OnCommand(MessageRecord& record) {
    const int id = LOWORD(record.wParam);
    if (id == IDOK) OnOK();
    else if (id == IDCANCEL) PostMessage(WM_CLOSE, 0, 0);  // nothing changed, nothing to rebuild
}

void DeviceSelectionDialog::OnOK() {
    // A device that no longer answers means the list is out of date: say so and have the
    // Document scan again instead of applying the boxes.
    for (Device* device : devices) {
        std::uint32_t lastLba = 0, blockLength = 0;
        if (device->ReadCapacity(&lastLba, &blockLength) != 0) {
            ShowMessageBox(GetHandle(), ResourceString(IDS_DEVICE_NO_CAPACITY), ResourceString(IDS_DEVICE_ERROR_CAPTION),
                           MB_ICONHAND);
            PostMessage(WM_CLOSE, 1, 0);
            return;
        }
    }
    for (std::size_t i = 0; i < devices.size(); ++i) {
        devices[i]->SetWriteProtected(deviceList->GetCheckState(static_cast<int>(i)));
    }
    PostMessage(WM_CLOSE, 0, 0);
}

void DeviceSelectionDialog::Layout() {
    if (deviceList == nullptr) return;
    RECT client{}, list{}, ok{}, cancel{};
    GetClientRect(client);
    deviceList->GetWindowRect(list);
    okButton->GetWindowRect(ok);
    cancelButton->GetWindowRect(cancel);
    POINT topLeft{list.left, list.top};
    ScreenToClient(GetHandle(), &topLeft);
    const int width = client.right - 2 * topLeft.x;
    MoveWindow(deviceList->GetHandle(), topLeft.x, topLeft.y, width, client.bottom - listBottomGap - topLeft.y, TRUE);
    MoveWindow(okButton->GetHandle(), client.right - okLeftGap, client.bottom - okTopGap, ok.right - ok.left,
               ok.bottom - ok.top, TRUE);
    MoveWindow(cancelButton->GetHandle(), client.right - cancelLeftGap, client.bottom - okTopGap,
               cancel.right - cancel.left, cancel.bottom - cancel.top, TRUE);
    InvalidateRect(GetHandle(), nullptr, TRUE);
}

void DeviceSelectionDialog::OnSizing(MessageRecord& record) {
    RECT* rect = reinterpret_cast<RECT*>(record.lParam);
    if (rect == nullptr) return;
    const WPARAM edge = record.wParam;
    if (rect->bottom - rect->top < 250) {
        if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) rect->top = rect->bottom - 250;
        else rect->bottom = rect->top + 250;
    }
    const int minWidth = okLeftGap + 30;
    if (rect->right - rect->left < minWidth) {
        if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) rect->left = rect->right - minWidth;
        else rect->right = rect->left + minWidth;
    }
    record.result = 1;
}

}  // namespace sektra
