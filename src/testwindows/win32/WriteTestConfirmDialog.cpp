#include "testwindows/win32/WriteTestConfirmDialog.h"

#include "device/Device.h"
#include "language/ResourceIds.h"
#include "testwindows/OptionChecks.h"
#include "testwindows/win32/ResourceText.h"

namespace sektra {
namespace {

const wchar_t* WritingTestName(std::uint32_t testType) {
    switch (testType) {
    case 5: return L"Sequential Read Test";
    case 6: return L"Sequential Write Test";
    case 7: return L"Random Read Test";
    case 8: return L"Random Write Test";
    case 10: return L"Write Buffer Test";
    default: return nullptr;
    }
}

}  // namespace

WriteTestConfirmDialog::WriteTestConfirmDialog(Device* device, std::uint32_t itemCode)
    : device(device), itemCode(itemCode) {}

void WriteTestConfirmDialog::OnInitDialog(MessageRecord&) {
    deviceLabel = std::make_unique<Control>(GetHandle(), IDC_CONFIRM_DEVICE);
    testLabel = std::make_unique<Control>(GetHandle(), IDC_CONFIRM_TEST);
    confirmationEdit = std::make_unique<Control>(GetHandle(), IDC_CONFIRM_WORD);
    deviceLabel->SetText(L" " + DeviceTextWide(device->GetModelNameWithRevision()));
    const wchar_t* name = WritingTestName((itemCode >> 8) & 0x0F);
    if (name == nullptr) {
        Close(0);
        return;
    }
    testLabel->SetText(std::wstring(L" ") + name);
    // Write Buffer only fills the drive's buffer memory: the medium keeps its data, and the
    // warning must not claim otherwise.
    if (((itemCode >> 8) & 0x0F) == 10) {
        SetDlgItemTextW(GetHandle(), IDC_CONFIRM_WARNING, ResourceText(IDS_CONFIRM_BUFFER_ONLY).c_str());
    }
}

void WriteTestConfirmDialog::OnCommand(MessageRecord& record) {
    switch (LOWORD(record.wParam)) {
    case IDOK:
        if (ConfirmationMatches(confirmationEdit->GetText(), ResourceText(IDS_CONFIRM_WORD))) {
            Close(0);
        } else {
            ShowStopBox(GetHandle(), IDS_CONFIRM_MISMATCH, IDS_CONFIRM_CAPTION);
        }
        break;
    case IDCANCEL: Close(1); break;
    default: break;
    }
}

}  // namespace sektra
