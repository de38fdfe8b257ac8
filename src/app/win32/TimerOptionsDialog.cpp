#include "app/win32/TimerOptionsDialog.h"

#include <cpuid.h>

#include "app/win32/MessageBoxes.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

std::uint64_t PerformanceFrequency() {
    LARGE_INTEGER frequency{};
    if (!QueryPerformanceFrequency(&frequency)) return 0;
    return static_cast<std::uint64_t>(frequency.QuadPart);
}

void InputError(HWND owner, UINT text) {
    ShowMessageBox(owner, ResourceString(text), ResourceString(IDS_INPUT_ERROR_CAPTION), MB_ICONHAND);
}

}  // namespace

bool HasTimeStampCounter() {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0 || eax < 1) return false;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return false;
    return (edx & (1u << 4)) != 0;
}

TimerOptionsDialog::TimerOptionsDialog(std::int32_t timerMode, std::uint32_t perFrqLow, std::uint32_t perFrqHigh,
                                       std::int32_t showInterval)
    : timerMode(timerMode),
      ticksPerSecond(static_cast<std::uint64_t>(perFrqHigh) << 32 | perFrqLow),
      showInterval(showInterval) {}

TimerOptionsDialog::~TimerOptionsDialog() {
    delete modeButtons;
    delete intervalSpin;
    delete intervalEdit;
    delete timeStampFrequency;
    delete counterFrequency;
    Destroy();
}

void TimerOptionsDialog::GetResult(std::int32_t& mode, std::uint64_t& ticks, std::int32_t& interval) {
    mode = timerMode;
    ticks = ticksPerSecond;
    interval = showInterval;
}

void TimerOptionsDialog::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    switch (record.message) {
        case WM_INITDIALOG: OnInitDialog(record); break;
        case WM_COMMAND: OnCommand(record); break;
        case WM_CLOSE: End(static_cast<INT_PTR>(record.wParam)); break;
        default: break;
    }
}

int TimerOptionsDialog::CreateControls() {
    counterFrequency = new Control(GetHandle(), IDC_TIMER_COUNTER_FREQUENCY);
    timeStampFrequency = new Control(GetHandle(), IDC_TIMER_TSC_FREQUENCY);
    intervalEdit = new EditControl(GetHandle(), IDC_TIMER_INTERVAL);
    intervalSpin = new UpDownControl(GetHandle(), IDC_TIMER_INTERVAL_SPIN);
    modeButtons = new RadioGroup(GetHandle(), IDC_TIMER_TICK_COUNT, IDC_TIMER_TIME_STAMP);
    return 0;
}

void TimerOptionsDialog::OnInitDialog(MessageRecord&) {
    if (CreateControls() != 0) {
        PostMessage(WM_CLOSE, 1, 0);
        return;
    }
    EnableMenuItem(GetSystemMenu(GetHandle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    const std::uint64_t counter = PerformanceFrequency();
    if (counter == 0) {
        EnableWindow(GetDlgItem(GetHandle(), IDC_TIMER_PERFORMANCE), FALSE);
        timerMode = 0;
    }
    counterFrequency->SetText(static_cast<std::int64_t>(counter));
    if (!HasTimeStampCounter()) {
        EnableWindow(GetDlgItem(GetHandle(), IDC_TIMER_TIME_STAMP), FALSE);
        if (timerMode == 2) timerMode = 1;
    } else {
        timeStampFrequency->SetText(ticksPerSecond);
    }
    modeButtons->Check(timerMode);
    timeStampFrequency->Enable(timerMode == 2);
    intervalEdit->SetLimitText(4);
    intervalSpin->SetRange(10, 1000);
    intervalSpin->SetPos(static_cast<short>(showInterval));
}

void TimerOptionsDialog::OnCommand(MessageRecord& record) {
    const int id = LOWORD(record.wParam);
    if (id == IDOK) OnOK();
    else if (id == IDCANCEL) PostMessage(WM_CLOSE, 1, 0);
    else if (id >= IDC_TIMER_TICK_COUNT && id <= IDC_TIMER_TIME_STAMP && HIWORD(record.wParam) == BN_CLICKED) {
        OnModeChanged();
    }
}

void TimerOptionsDialog::OnModeChanged() { timeStampFrequency->Enable(modeButtons->GetChecked() == 2); }

void TimerOptionsDialog::OnOK() {
    const auto interval = static_cast<std::uint32_t>(intervalEdit->GetTextAsInt32());
    if (interval < 10 || interval > 1000) {
        InputError(GetHandle(), IDS_BAD_INTERVAL);
        return;
    }
    const int mode = modeButtons->GetChecked();
    std::uint64_t ticks = 0;
    if (mode == 0) {
        ticks = 1000;
    } else if (mode == 1) {
        ticks = PerformanceFrequency();
    } else if (mode == 2) {
        // A frequency that is no positive number would leave the tests dividing by nothing.
        const std::int64_t frequency = timeStampFrequency->GetTextAsInt64();
        if (frequency <= 0) {
            InputError(GetHandle(), IDS_BAD_TSC_FREQUENCY);
            return;
        }
        ticks = static_cast<std::uint64_t>(frequency);
    } else {
        InputError(GetHandle(), IDS_NO_TIMER);
        return;
    }
    timerMode = mode;
    ticksPerSecond = ticks;
    showInterval = static_cast<std::int32_t>(interval);
    PostMessage(WM_CLOSE, 0, 0);
}

}  // namespace sektra
