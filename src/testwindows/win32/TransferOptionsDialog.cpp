#include "testwindows/win32/TransferOptionsDialog.h"

#include <cwchar>

#include "language/ResourceIds.h"
#include "testwindows/OptionChecks.h"
#include "testwindows/win32/ResourceText.h"

namespace sektra {
namespace {

// Spin limits travel as ints; a limit beyond INT_MAX stops there.
int SpinLimit(std::uint32_t value) { return value > 0x7FFFFFFFu ? 0x7FFFFFFF : static_cast<int>(value); }

}  // namespace

TransferOptionsDialog::TransferOptionsDialog(std::uint32_t maxBlocks, std::uint32_t blockLength,
                                             const TransferChoices& choices)
    : choices(choices), maxBlocks(maxBlocks), blockLength(blockLength) {}

void TransferOptionsDialog::OnInitDialog(MessageRecord&) {
    const HWND dialog = GetHandle();
    limitLabel = std::make_unique<Control>(dialog, IDC_TRANSFER_LIMIT);
    sizeLabel = std::make_unique<Control>(dialog, IDC_TRANSFER_SIZE_KB);
    sizeEdit = std::make_unique<EditControl>(dialog, IDC_TRANSFER_SIZE);
    sizeSpin = std::make_unique<UpDownControl>(dialog, IDC_TRANSFER_SIZE_SPIN);
    startEdit = std::make_unique<EditControl>(dialog, IDC_RANGE_START);
    startSpin = std::make_unique<UpDownControl>(dialog, IDC_RANGE_START_SPIN);
    endEdit = std::make_unique<EditControl>(dialog, IDC_RANGE_END);
    endSpin = std::make_unique<UpDownControl>(dialog, IDC_RANGE_END_SPIN);
    rangeButtons = std::make_unique<RadioGroup>(dialog, IDC_RANGE_FULL, IDC_RANGE_CUSTOM);

    wchar_t limit[128];
    std::swprintf(limit, 128, ResourceText(IDS_LIMIT_BLOCKS).c_str(), maxBlocks);
    limitLabel->SetText(limit);
    sizeEdit->SetLimitText(DecimalDigits(maxBlocks));
    // 32-bit spin ranges: a limit above 32767 blocks still fits.
    sizeSpin->SetRange32(1, SpinLimit(maxBlocks));
    sizeSpin->SetPos32(1);
    OnSizeChanged();
    rangeButtons->Check(0);
    startEdit->SetLimitText(2);
    startSpin->SetRange32(0, 99);
    startSpin->SetPos32(0);
    endEdit->SetLimitText(3);
    endSpin->SetRange32(1, 100);
    endSpin->SetPos32(100);
    OnRangeChanged();
    CheckDlgButton(dialog, IDC_ALIGNED_POSITIONS, choices.alignedPositions ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_RANDOM_WRITE_DATA, choices.randomWriteData ? BST_CHECKED : BST_UNCHECKED);
}

void TransferOptionsDialog::OnCommand(MessageRecord& record) {
    const int id = LOWORD(record.wParam);
    const int code = HIWORD(record.wParam);
    if (id == IDC_TRANSFER_SIZE && code == EN_CHANGE) {
        OnSizeChanged();
    } else if (id >= IDC_RANGE_FULL && id <= IDC_RANGE_CUSTOM && code == BN_CLICKED) {
        OnRangeChanged();
    } else if (id == IDC_TRANSFER_OK && code == BN_CLICKED) {
        OnOK();
    } else if (id == IDC_TRANSFER_CANCEL && code == BN_CLICKED) {
        Close(1);
    }
    // IDOK and IDCANCEL (Enter and Esc) are not this dialog's buttons: nothing happens.
}

void TransferOptionsDialog::OnSizeChanged() {
    if (!sizeEdit || !sizeLabel) return;  // EN_CHANGE can come before the controls exist
    const std::int32_t n = sizeEdit->GetTextAsInt32();
    if (n < 1 || static_cast<std::uint32_t>(n) > maxBlocks) {
        sizeLabel->SetText(ResourceText(IDS_ERROR));
    } else {
        sizeLabel->SetText(SizeInKBText(static_cast<std::uint32_t>(n), blockLength, false));
    }
}

void TransferOptionsDialog::OnRangeChanged() {
    const bool custom = rangeButtons->GetChecked() == 4;
    startEdit->Enable(custom);
    startSpin->Enable(custom);
    endEdit->Enable(custom);
    endSpin->Enable(custom);
}

void TransferOptionsDialog::OnOK() {
    const std::int32_t n = sizeEdit->GetTextAsInt32();
    const std::int32_t start = startEdit->GetTextAsInt32();
    const std::int32_t end = endEdit->GetTextAsInt32();
    const std::uint32_t refusal = CheckTransferOptions(n, maxBlocks, start, end);
    if (refusal != 0) {
        ShowStopBox(GetHandle(), refusal, IDS_INPUT_ERROR_CAPTION);
        return;
    }
    blocks = static_cast<std::uint32_t>(n);
    const int checked = rangeButtons->GetChecked();
    rangeIndex = checked < 0 ? 0 : static_cast<std::uint32_t>(checked);
    startPercent = static_cast<std::uint32_t>(start);
    endPercent = static_cast<std::uint32_t>(end);
    choices.alignedPositions = IsDlgButtonChecked(GetHandle(), IDC_ALIGNED_POSITIONS) == BST_CHECKED;
    choices.randomWriteData = IsDlgButtonChecked(GetHandle(), IDC_RANDOM_WRITE_DATA) == BST_CHECKED;
    Close(0);
}

void TransferOptionsDialog::GetResult(std::uint32_t* blocks, std::uint32_t* rangeIndex, std::uint32_t* startPercent,
                                      std::uint32_t* endPercent) const {
    *blocks = this->blocks;
    *rangeIndex = this->rangeIndex;
    *startPercent = this->startPercent;
    *endPercent = this->endPercent;
}

}  // namespace sektra
