#include "testwindows/win32/SeekOptionsDialog.h"

#include "language/ResourceIds.h"
#include "testwindows/OptionChecks.h"
#include "testwindows/win32/ResourceText.h"

namespace sektra {

SeekOptionsDialog::SeekOptionsDialog(std::uint64_t lastBlock, std::uint32_t blockLength)
    : lastBlock(lastBlock), maxBlock(lastBlock), blockLength(blockLength) {}

void SeekOptionsDialog::OnInitDialog(MessageRecord&) {
    const HWND dialog = GetHandle();
    limitLabel = std::make_unique<Control>(dialog, IDC_SEEK_LIMIT);
    countEdit = std::make_unique<EditControl>(dialog, IDC_SEEK_COUNT);
    firstBlockEdit = std::make_unique<EditControl>(dialog, IDC_SEEK_FIRST_BLOCK);
    lastBlockEdit = std::make_unique<EditControl>(dialog, IDC_SEEK_LAST_BLOCK);
    modeButtons = std::make_unique<RadioGroup>(dialog, IDC_SEEK_ALTERNATE, IDC_SEEK_RANDOM);

    limitLabel->SetText(LimitText(ResourceText(IDS_LIMIT_BLOCKS), maxBlock).c_str());
    countEdit->SetText(seekCount);
    modeButtons->Check(static_cast<int>(seekMode));
    firstBlockEdit->SetText(firstBlock);
    lastBlockEdit->SetText(lastBlock);
}

void SeekOptionsDialog::OnCommand(MessageRecord& record) {
    switch (LOWORD(record.wParam)) {
    case IDOK: OnOK(); break;
    case IDCANCEL: Close(1); break;
    default: break;
    }
}

void SeekOptionsDialog::OnOK() {
    const std::int32_t count = countEdit->GetTextAsInt32();
    const std::uint64_t first = firstBlockEdit->GetTextAsUInt64();
    const std::uint64_t last = lastBlockEdit->GetTextAsUInt64();
    const std::uint32_t refusal = CheckSeekOptions(count, first, last, maxBlock);
    if (refusal != 0) {
        ShowStopBox(GetHandle(), refusal, IDS_INPUT_ERROR_CAPTION);
        return;
    }
    seekCount = static_cast<std::uint32_t>(count);
    const int checked = modeButtons->GetChecked();
    seekMode = checked < 0 ? 0 : static_cast<std::uint32_t>(checked);
    firstBlock = first;
    lastBlock = last;
    Close(0);
}

void SeekOptionsDialog::GetResult(std::uint32_t* seekCount, std::uint32_t* seekMode, std::uint64_t* firstBlock,
                                  std::uint64_t* lastBlock) const {
    *seekCount = this->seekCount;
    *seekMode = this->seekMode;
    *firstBlock = this->firstBlock;
    *lastBlock = this->lastBlock;
}

}  // namespace sektra
