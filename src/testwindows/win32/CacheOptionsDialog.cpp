#include "testwindows/win32/CacheOptionsDialog.h"

#include <cwchar>

#include "language/ResourceIds.h"
#include "testwindows/OptionChecks.h"
#include "testwindows/win32/ResourceText.h"

namespace sektra {

CacheOptionsDialog::CacheOptionsDialog(std::uint32_t limit, std::uint32_t blockLength, bool sizeInKB)
    : limit(limit), blockLength(blockLength), sizeInKB(sizeInKB) {}

void CacheOptionsDialog::OnInitDialog(MessageRecord&) {
    const HWND dialog = GetHandle();
    limitLabel = std::make_unique<Control>(dialog, IDC_CACHE_LIMIT);
    sizeLabel = std::make_unique<Control>(dialog, IDC_CACHE_SIZE_KB);
    sizeEdit = std::make_unique<EditControl>(dialog, IDC_CACHE_SIZE);
    sizeSpin = std::make_unique<UpDownControl>(dialog, IDC_CACHE_SIZE_SPIN);

    wchar_t text[128];
    std::swprintf(text, 128, ResourceText(sizeInKB ? IDS_LIMIT_KB : IDS_LIMIT_BLOCKS).c_str(), limit);
    limitLabel->SetText(text);
    sizeEdit->SetLimitText(DecimalDigits(limit));
    sizeSpin->SetRange32(1, limit > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(limit));
    sizeSpin->SetPos32(1);
    OnSizeChanged();
}

void CacheOptionsDialog::OnCommand(MessageRecord& record) {
    const int id = LOWORD(record.wParam);
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        Close(1);
    } else if (id == IDC_CACHE_SIZE && HIWORD(record.wParam) == EN_CHANGE) {
        OnSizeChanged();
    }
}

void CacheOptionsDialog::OnSizeChanged() {
    if (!sizeEdit || !sizeLabel) return;  // EN_CHANGE can come before the controls exist
    const std::int32_t n = sizeEdit->GetTextAsInt32();
    if (n < 1 || static_cast<std::uint32_t>(n) > limit) {
        sizeLabel->SetText(ResourceText(IDS_ERROR));
    } else {
        sizeLabel->SetText(SizeInKBText(static_cast<std::uint32_t>(n), blockLength, sizeInKB));
    }
}

void CacheOptionsDialog::OnOK() {
    const std::int32_t n = sizeEdit->GetTextAsInt32();
    const std::uint32_t refusal = CheckCacheOptions(n, limit, sizeInKB);
    if (refusal != 0) {
        ShowStopBox(GetHandle(), refusal, IDS_INPUT_ERROR_CAPTION);
        return;
    }
    size = static_cast<std::uint32_t>(n);
    Close(0);
}

}  // namespace sektra
