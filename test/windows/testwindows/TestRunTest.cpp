// Every test runs to its end in its window; the buttons and captions follow Running, Stopped
// and Finished; a failing device brings the failure message and the window can run again.
#include "TestWindowFixture.h"
#include "testwindows/win32/CacheTestWindow.h"
#include "testwindows/win32/SeekTestWindow.h"
#include "testwindows/win32/TransferTestWindow.h"

namespace sektra::test {
namespace {

constexpr Buttons kRunning{false, true, false, false};
constexpr Buttons kStopped{true, false, true, false};
constexpr Buttons kFinishedComplete{true, false, true, true};

struct RunCase {
    std::uint32_t code;
    const wchar_t* title;  // the caption up to its state
    int full;              // the progress of a complete run
    bool writes;
};

class EightTestsTest : public TestWindowTest {
protected:
    std::unique_ptr<TestWindow> OpenRow(Device* device, std::uint32_t code) {
        switch (code & 0xFF00) {
        case 0x1300: case 0x1900: case 0x1A00: return Open<CacheTestWindow>(device, code);
        case 0x1400: return Open<SeekTestWindow>(device, code);
        default: return Open<TransferTestWindow>(device, code);
        }
    }
};

TEST_F(EightTestsTest, EachRunsToItsEndAndOffersItsResults) {
    const std::wstring full = ResourceText(IDS_RANGE_FULL);
    const RunCase cases[] = {
        {0x1527, L"Seq. Read Test(64.0KB ", 1000, false},
        {0x1627, L"Seq. Write Test(64.0KB ", 1000, true},
        {0x1724, L"Rnd. Read Test(8.0KB ", 1000, false},
        {0x1824, L"Rnd. Write Test(8.0KB ", 1000, true},
        {0x1410, L"Seek Test(", 200, false},
        {0x1314, L"Cache Hit Test(8.0KB) - ", 200, false},
        {0x1914, L"Read Buffer Test(16.0KB) - ", 200, false},
        {0x1A14, L"Write Buffer Test(16.0KB) - ", 200, true},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.code);
        NewPort();
        Device* device = AddZeroTimeDisk();
        ModalDriver driver;
        if (c.writes) {
            driver.WhenDialogWith(IDC_CONFIRM_WORD, [](HWND w) {
                SetDlgItemTextW(w, IDC_CONFIRM_WORD, L"WRITE");
                Click(w, IDOK);
            });
        }
        auto window = OpenRow(device, c.code);
        ASSERT_TRUE(WaitForFinished(*window));
        const HWND h = window->GetHandle();
        EXPECT_EQ(WindowText(h).rfind(c.title, 0), 0u) << WindowText(h);
        EXPECT_EQ(WindowText(h), window->GetTitlePrefix() + ResourceText(IDS_STATE_FINISHED));
        EXPECT_EQ(ButtonsOf(h), kFinishedComplete);
        EXPECT_EQ(SendDlgItemMessageW(h, IDC_TEST_PROGRESS, PBM_GETPOS, 0, 0), c.full);
        EXPECT_EQ(emulated->Log().AnyWriteSent(), c.writes);
        EXPECT_TRUE(driver.Done());
        // The finish label tells when the run ended, the keys go on to 保存.
        EXPECT_NE(ItemText(h, IDC_TEST_FINISH), ResourceText(IDS_FINISH_UNKNOWN));
        EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_TEST_SAVE));
        Click(h, IDC_TEST_CLOSE);
        ASSERT_TRUE(PumpUntil([&] { return window->GetHandle() == nullptr; }));
    }
}

TEST_F(TestWindowTest, TitlesNameTheRangeAndTheSeekLabel) {
    Device* device = AddZeroTimeDisk();
    auto transfer = Open<TransferTestWindow>(device, 0x1547);  // 45 % - 55 %, 128 blocks
    EXPECT_EQ(transfer->GetTitlePrefix(), L"Seq. Read Test(64.0KB " + ResourceText(IDS_RANGE_MIDDLE) + L") - ");
    ASSERT_TRUE(WaitForFinished(*transfer));
    // 20480 blocks: the range is blocks 9216 to 11263.
    EXPECT_EQ(ItemText(transfer->GetHandle(), IDC_TEST_BLOCK_RANGE).substr(24), L" (9216 - 11263)");
    EXPECT_EQ(ItemText(transfer->GetHandle(), IDC_TEST_COUNT), L" 16");
    transfer.reset();

    auto seek = Open<SeekTestWindow>(device, 0x1410);
    EXPECT_EQ(seek->GetTitlePrefix(), L"Seek Test(" + ResourceText(IDS_SEEK_STANDARD) + L") - ");
    ASSERT_TRUE(WaitForFinished(*seek));
    EXPECT_EQ(ItemText(seek->GetHandle(), IDC_TEST_COUNT), L" 1000");
    EXPECT_EQ(ItemText(seek->GetHandle(), IDC_TEST_BLOCK_RANGE).substr(11), L" (0 - 20479)");
    const std::wstring best = ItemText(seek->GetHandle(), IDC_TEST_BEST);
    EXPECT_EQ(best.substr(best.size() - 5), L" \u03BCSec");
    // SEEK(10): the probe that chose seeking over reading, one to the first block before the
    // timing starts, then the 1000 timed ones.
    EXPECT_EQ(emulated->Log().CountOpcode(0x2B), 1002u);
}

TEST_F(TestWindowTest, ButtonsAndCaptionsFollowTheStates) {
    TimingModel slow;
    slow.mode = TimeMode::Real;
    slow.commandNs = 2000000;  // 2 ms a command: the run takes long enough to watch
    Device* device = AddDisk(TestDisk(204800, slow));
    auto window = Open<TransferTestWindow>(device, 0x1527);
    const HWND h = window->GetHandle();
    EXPECT_EQ(ButtonsOf(h), kRunning);
    EXPECT_TRUE(CaptionEndsWith(h, IDS_STATE_RUNNING));
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_NE(ItemText(h, IDC_TEST_COUNT), L" 0");

    EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_TEST_STOP));
    // Esc does nothing while the test runs.
    SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    PumpFor(std::chrono::milliseconds(100));
    ASSERT_NE(window->GetHandle(), nullptr);
    EXPECT_EQ(ButtonsOf(h), kRunning);

    Click(h, IDC_TEST_STOP);
    ASSERT_TRUE(PumpUntil([&] { return !ItemEnabled(h, IDC_TEST_STOP); }));
    // The thread's report of the cut run comes after: the run stays stopped, without results
    // to save, its end time shown and the focus on 閉じる.
    PumpFor(std::chrono::milliseconds(300));
    EXPECT_TRUE(CaptionEndsWith(h, IDS_STATE_STOPPED)) << WindowText(h);
    EXPECT_EQ(ButtonsOf(h), kStopped);
    EXPECT_LT(SendDlgItemMessageW(h, IDC_TEST_PROGRESS, PBM_GETPOS, 0, 0), 1000);
    EXPECT_NE(ItemText(h, IDC_TEST_FINISH), ResourceText(IDS_FINISH_UNKNOWN));
    EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_TEST_CLOSE));

    // Enter does not close a test window.
    SendMessageW(h, WM_COMMAND, IDOK, 0);
    PumpFor(std::chrono::milliseconds(100));
    ASSERT_NE(window->GetHandle(), nullptr);

    // Start runs again from the beginning.
    const std::uint64_t before = emulated->Log().CountOpcode(0x28);
    Click(h, IDC_TEST_START);
    ASSERT_TRUE(PumpUntil([&] { return CaptionEndsWith(h, IDS_STATE_RUNNING); }));
    EXPECT_EQ(ButtonsOf(h), kRunning);
    PumpFor(std::chrono::milliseconds(200));
    EXPECT_GT(emulated->Log().CountOpcode(0x28), before);
    Click(h, IDC_TEST_STOP);
    ASSERT_TRUE(PumpUntil([&] { return CaptionEndsWith(h, IDS_STATE_STOPPED); }));
    // The close box stays grey in every state.
    const UINT state = GetMenuState(GetSystemMenu(h, FALSE), SC_CLOSE, MF_BYCOMMAND);
    EXPECT_TRUE(state & MF_GRAYED);

    // Esc closes the window once its test has ended.
    SendMessageW(h, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return window->GetHandle() == nullptr; }, std::chrono::seconds(5)));
}

TEST_F(TestWindowTest, ButtonsCarryMnemonics) {
    Device* device = AddZeroTimeDisk();
    auto window = Open<CacheTestWindow>(device, 0x1314);
    ASSERT_TRUE(WaitForFinished(*window));
    for (const int id : {IDC_TEST_START, IDC_TEST_STOP, IDC_TEST_SAVE, IDC_TEST_CLOSE}) {
        EXPECT_NE(ItemText(window->GetHandle(), id).find(L"(&"), std::wstring::npos) << id;
    }
}

// With the millisecond tick count nearly every cache hit measures 0 ticks; the run of 1000
// commands still reaches full progress and its results can be saved.
TEST_F(TestWindowTest, CacheHitRunOnTheTickCountEndsCompleteAndSavable) {
    Device* device = AddZeroTimeDisk();
    auto window = Open<CacheTestWindow>(device, 0x1314, nullptr, 201, 0);
    ASSERT_TRUE(WaitForFinished(*window));
    const HWND h = window->GetHandle();
    EXPECT_EQ(ItemText(h, IDC_TEST_COUNT), L" 1000");
    EXPECT_EQ(SendDlgItemMessageW(h, IDC_TEST_PROGRESS, PBM_GETPOS, 0, 0), 200);
    EXPECT_EQ(ButtonsOf(h), kFinishedComplete);
}

TEST_F(TestWindowTest, StaleTimerTickDoesNotRefresh) {
    TimingModel slow;
    slow.mode = TimeMode::Real;
    slow.commandNs = 2000000;
    Device* device = AddDisk(TestDisk(204800, slow));
    auto window = Open<TransferTestWindow>(device, 0x1527);
    const HWND h = window->GetHandle();
    Click(h, IDC_TEST_STOP);
    ASSERT_TRUE(PumpUntil([&] { return !ItemEnabled(h, IDC_TEST_STOP); }));
    PumpFor(std::chrono::milliseconds(200));
    SetDlgItemTextW(h, IDC_TEST_COUNT, L"marker");
    SendMessageW(h, WM_TIMER, 0, 0);    // the id of a stopped timer
    SendMessageW(h, WM_TIMER, 100, 0);  // an id of an earlier window's timer
    EXPECT_EQ(ItemText(h, IDC_TEST_COUNT), L"marker");
}

TEST_F(TestWindowTest, FailingCommandShowsTheMessageAndTheWindowRunsAgain) {
    // The call fails, or it succeeds but the device says no: a status without sense, CHECK
    // CONDITION in descriptor format, a recovered error. Each ends the run with message 61.
    struct Case {
        FaultAction action;
        std::uint8_t status, key;
    };
    const Case cases[] = {
        {FaultAction::FailControl, 0, 0},
        {FaultAction::Status, 0x08, 0},  // BUSY
        {FaultAction::Status, 0x18, 0},  // RESERVATION CONFLICT
        {FaultAction::CheckConditionDescriptor, 0, 0x03},
        {FaultAction::CheckCondition, 0, 0x01},  // RECOVERED ERROR
    };
    for (const Case& c : cases) {
        NewPort();
        Device* device = AddZeroTimeDisk();
        FaultRule rule;
        rule.action = c.action;
        rule.status = c.status;
        rule.senseKey = c.key;
        rule.opcode = 0x28;  // READ(10)
        rule.atCommand = 40;
        rule.onwards = true;
        emulated->AddFault(rule);
        ModalDriver driver;
        driver.ExpectBox(IDS_ERROR);
        auto window = Open<TransferTestWindow>(device, 0x1524);
        const HWND h = window->GetHandle();
        ASSERT_TRUE(PumpUntil([&] { return driver.Done() && CaptionEndsWith(h, IDS_STATE_STOPPED); }));
        ASSERT_EQ(driver.boxes.size(), 1u);
        EXPECT_EQ(driver.boxes[0], ResourceText(IDS_TEST_COMMAND_FAILED));
        EXPECT_EQ(ButtonsOf(h), kStopped);

        emulated->ClearFaults();
        Click(h, IDC_TEST_START);
        ASSERT_TRUE(WaitForFinished(*window));
        EXPECT_EQ(ButtonsOf(h), kFinishedComplete);
    }
}

TEST_F(TestWindowTest, SeekWindowSaysAccessTimeWhereSeekIsRefused) {
    DeviceConfig flash = TestDisk(20480, TimingModel{});
    flash.supportsSeek = false;
    Device* device = AddDisk(flash);
    auto window = Open<SeekTestWindow>(device, 0x1410);
    ASSERT_TRUE(WaitForFinished(*window));
    const HWND h = window->GetHandle();
    EXPECT_EQ(window->GetTitlePrefix(), L"Access Time Test(" + ResourceText(IDS_SEEK_STANDARD) + L") - ");
    EXPECT_EQ(ItemText(h, IDC_SEEK_TIME_GROUP), ResourceText(IDS_ACCESS_TIME));
    EXPECT_EQ(ItemText(h, IDC_SEEK_COUNT_LABEL), ResourceText(IDS_ACCESS_COUNT));
    EXPECT_EQ(emulated->Log().CountOpcode(0x2B), 1u);  // only the probe that found it refused
    EXPECT_EQ(emulated->Log().CountOpcode(0x28), 1001u);
}

TEST_F(TestWindowTest, BlockLabelOfTheInnerTenthOfA12TerabyteDisk) {
    Device* device = AddZeroTimeDisk(23437770752ull);
    auto window = Open<TransferTestWindow>(device, 0x1753);  // random read, inner range, 8 blocks
    ASSERT_TRUE(WaitForFinished(*window));
    const std::wstring label = ItemText(window->GetHandle(), IDC_TEST_BLOCK_RANGE);
    EXPECT_NE(label.find(L" (21093993676 - 23437770751)"), std::wstring::npos) << label;
    EXPECT_EQ(emulated->Log().CountOpcode(0x88), 10000u);
    EXPECT_EQ(emulated->Log().CountOpcode(0x28), 0u);
}

TEST_F(TestWindowTest, DeviceWithoutCapacityCannotStart) {
    Device* device = AddZeroTimeDisk();
    FaultRule rule;
    rule.action = FaultAction::CheckCondition;
    rule.opcode = 0x25;  // READ CAPACITY(10)
    emulated->AddFault(rule);
    ModalDriver driver;
    driver.ExpectBox(IDS_ERROR);
    auto window = Open<TransferTestWindow>(device, 0x1527);
    ASSERT_TRUE(PumpUntil([&] { return driver.Done() && CaptionEndsWith(window->GetHandle(), IDS_STATE_STOPPED); }));
    EXPECT_EQ(driver.boxes, std::vector<std::wstring>{ResourceText(IDS_TEST_START_FAILED)});
    // Without a block length the title shows 0.0 KB.
    EXPECT_EQ(window->GetTitlePrefix().rfind(L"Seq. Read Test(0.0KB ", 0), 0u);
    EXPECT_EQ(emulated->Log().CountOpcode(0x28), 0u);
}

TEST_F(TestWindowTest, RowsOfNoTestOfTheWindowCloseItAtOnce) {
    Device* device = AddZeroTimeDisk();
    auto transfer = Open<TransferTestWindow>(device, 0x1427);  // a seek row
    auto cache = Open<CacheTestWindow>(device, 0x1514);
    auto seek = Open<SeekTestWindow>(device, 0x1310);
    auto badRange = Open<TransferTestWindow>(device, 0x1517);  // range choice 1
    ASSERT_TRUE(PumpUntil([&] {
        return !transfer->GetHandle() && !cache->GetHandle() && !seek->GetHandle() && !badRange->GetHandle();
    }));
    EXPECT_EQ(emulated->Log().CountOpcode(0x28), 0u);
    EXPECT_EQ(emulated->Log().CountOpcode(0x2B), 0u);
    EXPECT_EQ(emulated->Log().CountOpcode(0x3C), 0u);
}

}  // namespace
}  // namespace sektra::test
