#include "testwindows/win32/TestWindow.h"

#include <ctime>

#include "device/Device.h"
#include "language/ResourceIds.h"
#include "testwindows/RefreshTexts.h"
#include "testwindows/TestTitles.h"
#include "testwindows/win32/ResourceText.h"
#include "testwindows/win32/SaveFileDialog.h"

namespace sektra {

TestWindow::TestWindow(Device* device, std::uint32_t itemCode, std::uint32_t ticksPerSecondLow,
                       std::uint32_t ticksPerSecondHigh, std::uint32_t timerMode, std::uint32_t showInterval,
                       std::uint32_t performCells)
    : device(device),
      itemCode(itemCode),
      ticksPerSecond(std::uint64_t{ticksPerSecondHigh} << 32 | ticksPerSecondLow),
      timerMode(timerMode),
      showInterval(showInterval),
      performCells(performCells) {}

TestWindow::~TestWindow() {
    thread.reset();
    timer.reset();
    Destroy();
}

void TestWindow::OnMessage(MessageRecord& record) {
    if (record.window != GetHandle() || GetHandle() == nullptr) return;
    switch (record.message) {
    case WM_CLOSE: Destroy(); break;
    case WM_INITDIALOG: OnInitDialog(record); break;
    case WM_COMMAND: OnCommand(record); break;
    case WM_TIMER:
        // A tick of a timer stopped since (its id no longer current) is not this run's.
        if (timer && timer->GetId() != 0 && record.wParam == timer->GetId()) OnTick();
        break;
    case WM_TEST_FINISHED: OnTestFinished(); break;
    case WM_TEST_FAILED: OnTestFailed(record); break;
    case WM_DRAWITEM: OnDrawItem(record); break;
    default: break;
    }
}

void TestWindow::OnCommand(MessageRecord& record) {
    if (HIWORD(record.wParam) != BN_CLICKED) return;
    // Enter (IDOK) is no button of this window. Esc (IDCANCEL) closes it as 閉じる does, and
    // only when 閉じる could: never while a test runs.
    switch (LOWORD(record.wParam)) {
    case IDCANCEL:
        if (closeButton && closeButton->IsEnabled()) CloseWindow();
        break;
    case IDC_TEST_START: OnStart(); break;
    case IDC_TEST_SAVE: OnSave(); break;
    case IDC_TEST_SAVE_IMAGE: OnSaveImage(); break;
    case IDC_TEST_STOP: OnStop(); break;
    case IDC_TEST_CLOSE: OnCloseButton(); break;
    default: break;
    }
}

void TestWindow::OnCloseButton() { CloseWindow(); }

void TestWindow::CloseWindow() { PostMessage(WM_CLOSE, 0, 0); }

HWND TestWindow::Owner() const { return GetParent(); }

int TestWindow::CreateControls() {
    const HWND window = GetHandle();
    closeButton = std::make_unique<Control>(window, IDC_TEST_CLOSE);
    stopButton = std::make_unique<Control>(window, IDC_TEST_STOP);
    startButton = std::make_unique<Control>(window, IDC_TEST_START);
    saveButton = std::make_unique<Control>(window, IDC_TEST_SAVE);
    deviceLabel = std::make_unique<Control>(window, IDC_TEST_DEVICE);
    blockRangeLabel = std::make_unique<Control>(window, IDC_TEST_BLOCK_RANGE);
    elapsedLabel = std::make_unique<Control>(window, IDC_TEST_ELAPSED);
    countLabel = std::make_unique<Control>(window, IDC_TEST_COUNT);
    clockLabel = std::make_unique<Control>(window, IDC_TEST_CLOCK);
    finishLabel = std::make_unique<Control>(window, IDC_TEST_FINISH);
    bestLabel = std::make_unique<Control>(window, IDC_TEST_BEST);
    averageLabel = std::make_unique<Control>(window, IDC_TEST_AVERAGE);
    worstLabel = std::make_unique<Control>(window, IDC_TEST_WORST);
    iopsLabel = std::make_unique<Control>(window, IDC_TEST_IOPS);
    p50Label = std::make_unique<Control>(window, IDC_TEST_P50);
    p99Label = std::make_unique<Control>(window, IDC_TEST_P99);
    maxLatencyLabel = std::make_unique<Control>(window, IDC_TEST_MAX_LATENCY);
    graph = GetDlgItem(window, IDC_TEST_GRAPH);
    if (GetDlgItem(window, IDC_TEST_SAVE_IMAGE) != nullptr) {
        saveImageButton = std::make_unique<Control>(window, IDC_TEST_SAVE_IMAGE);
    }
    progressBar = std::make_unique<ProgressBar>(window, IDC_TEST_PROGRESS);
    timer = std::make_unique<UiTimer>(window);
    return 0;
}

bool TestWindow::BeginInit(MessageRecord& record, int progressMaximum) {
    if (record.window != GetHandle()) return false;
    if (CreateControls() != 0) CloseWindow();
    progressBar->SetRange(0, progressMaximum);
    return true;
}

void TestWindow::FinishInit(std::unique_ptr<TestThread> newThread, std::wstring title) {
    thread = std::move(newThread);
    titlePrefix = std::move(title);
    deviceLabel->SetText(L" " + DeviceTextWide(device->GetModelNameWithRevision()));
    DisableCloseBox(GetHandle());
    OnStart();
}

void TestWindow::SetState(bool running) {
    closeButton->Enable(!running);
    stopButton->Enable(running);
    startButton->Enable(!running);
    saveButton->Enable(false);
    if (saveImageButton) saveImageButton->Enable(false);
    if (running) {
        stoppedByUser = false;
        endTime = 0;
        FocusButton(*stopButton);
    } else {
        EndRun();
    }
}

void TestWindow::EndRun() {
    if (endTime == 0) endTime = std::time(nullptr);
    // A disabled button keeps the focus and swallows every key: hand it on.
    FocusButton(saveButton->IsEnabled() ? *saveButton : *closeButton);
}

void TestWindow::FocusButton(Control& button) {
    // WM_NEXTDLGCTL, unlike SetFocus, also moves the default-button look with the focus.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button.GetHandle()), TRUE);
}

void TestWindow::SetCaption(UINT suffixId) { SetText(titlePrefix + ResourceText(suffixId)); }

void TestWindow::OnStart() {
    if (!thread) return;
    SetState(true);
    timer->Start(showInterval);
    thread->Start();
    SetCaption(IDS_STATE_RUNNING);
    Refresh();
}

void TestWindow::OnStop() {
    if (!thread) return;
    stoppedByUser = true;
    SetState(false);
    timer->Stop();
    thread->Stop();
    SetCaption(IDS_STATE_STOPPED);
    Refresh();
}

void TestWindow::OnTestFinished() {
    if (!thread) return;
    closeButton->Enable(true);
    startButton->Enable(true);
    stopButton->Enable(false);
    timer->Stop();
    thread->Stop();
    // The thread also reports the end of a run that 停止 cut short: that run stays stopped,
    // unless its last command was done before the stop came.
    const bool complete = TakeSnapshot().words[9] == FullProgress();
    saveButton->Enable(complete);
    if (saveImageButton) saveImageButton->Enable(complete);
    EndRun();
    SetCaption(complete || !stoppedByUser ? IDS_STATE_FINISHED : IDS_STATE_STOPPED);
    Refresh();
}

void TestWindow::OnTestFailed(MessageRecord& record) {
    if (!thread) return;
    SetState(false);
    timer->Stop();
    thread->Stop();
    SetCaption(IDS_STATE_STOPPED);
    const UINT textId = record.wParam == 1 ? IDS_TEST_START_FAILED : record.wParam == 2 ? IDS_TEST_COMMAND_FAILED : 0;
    const std::wstring text = textId != 0 ? ResourceText(textId) : std::wstring();
    const std::wstring caption = ResourceText(IDS_ERROR);
    MessageBoxW(GetHandle(), text.c_str(), caption.c_str(), MB_ICONHAND);
    Refresh();
}

void TestWindow::OnTick() { Refresh(); }

TestSnapshot TestWindow::TakeSnapshot() const {
    TestSnapshot snapshot = {};
    if (thread) thread->GetSnapshot(&snapshot);
    return snapshot;
}

void TestWindow::Refresh() {
    if (!thread) return;
    const TestSnapshot snapshot = TakeSnapshot();
    std::wstring text;
    if (LocalTimeText(ResourceText(IDS_TIME_FORMAT), std::time(nullptr), text)) {
        clockLabel->SetText(text);
        // After the run the label shows when it ended, not an estimate.
        const std::time_t finish = endTime != 0 ? endTime : static_cast<std::time_t>(snapshot.words[10]);
        if (finish == 0) {
            finishLabel->SetText(ResourceText(IDS_FINISH_UNKNOWN));
        } else if (LocalTimeText(ResourceText(IDS_TIME_FORMAT), finish, text)) {
            finishLabel->SetText(text);
        }
    }
    elapsedLabel->SetText(ElapsedText(ResourceText(IDS_ELAPSED_FORMAT), snapshot.words[11]));
    const std::wstring blocks = BlockText(snapshot);
    if (!blocks.empty()) blockRangeLabel->SetText(blocks);
    countLabel->SetText(CountText(std::uint64_t{snapshot.words[5]} << 32 | snapshot.words[4]));
    bestLabel->SetText(FigureText(snapshot.words[6]));
    averageLabel->SetText(FigureText(snapshot.words[7]));
    worstLabel->SetText(FigureText(snapshot.words[8]));
    progressBar->SetPos(static_cast<int>(snapshot.words[9]));
    RefreshLatency();
}

void TestWindow::OnSave() {
    if (!thread) return;
    const std::wstring model = DeviceTextWide(device->GetModelName());
    SaveFileDialog dialog(GetHandle());
    dialog.AddFilter(ResourceText(IDS_CSV_FILTER_NAME).c_str(), ResourceText(IDS_CSV_FILTER_PATTERN).c_str());
    dialog.AddFilter(ResourceText(IDS_ALL_FILTER_NAME).c_str(), ResourceText(IDS_ALL_FILTER_PATTERN).c_str());
    dialog.SetDefaultExtension(ResourceText(IDS_CSV_EXTENSION).c_str());
    dialog.SetFileName(InitialSaveName(model, titlePrefix).c_str());
    if (dialog.Show() != 0) return;

    const CsvSummary summary =
        ResultSummary(model, DeviceTextWide(device->GetRevision()), titlePrefix, TakeSnapshot(), FiguresAreTimes());
    const CsvLabels labels = {ResourceText(IDS_CSV_MODEL), ResourceText(IDS_CSV_REVISION),
                              ResourceText(IDS_CSV_TEST),  ResourceText(IDS_CSV_BEST),
                              ResourceText(IDS_CSV_AVERAGE), ResourceText(IDS_CSV_WORST),
                              ResourceText(IDS_CSV_COUNT), ResourceText(IDS_CSV_RANGE),
                              ResourceText(IDS_CSV_SHORTEST), ResourceText(IDS_CSV_LONGEST)};
    CsvFile csv;
    WriteCommonRows(csv, labels, summary);
    WriteTable(csv, labels);
    WriteLatencySection(csv, LatencyLabels(ResourceText), *thread);
    // As before: a file that cannot be written leaves the window as it was.
    csv.SaveToFile(dialog.GetFileName());
}

}  // namespace sektra
