// The main frame's limits, the About box's links and the timer options' checks, on dialogs
// made from the real language module.
#include <gtest/gtest.h>

#include "AppEnvironment.h"
#include "app/win32/AboutDialog.h"
#include "app/win32/Document.h"
#include "app/win32/MainFrame.h"
#include "app/win32/TimerOptionsDialog.h"
#include "framework/win32/ApplicationBase.h"
#include "framework/win32/RadioGroup.h"
#include "language/ResourceIds.h"

namespace sektra {
namespace {

HINSTANCE Resources() { return theApplication->GetResourceInstance(); }

TEST(MainFrameTest, NeverSmallerThan350By250FromAnyEdge) {
    MainFrame frame;
    ASSERT_EQ(frame.Create(Resources(), IDD_MAIN_FRAME, nullptr), 0);
    struct Case {
        WPARAM edge;
        RECT expected;
    } const cases[] = {
        // The proposed rectangle is 100 x 50 at (500, 400); the dragged edges give way.
        {WMSZ_BOTTOMRIGHT, {500, 400, 850, 650}},
        {WMSZ_RIGHT, {500, 400, 850, 650}},
        {WMSZ_BOTTOM, {500, 400, 850, 650}},
        {WMSZ_TOPLEFT, {250, 200, 600, 450}},
        {WMSZ_TOP, {500, 200, 850, 450}},
        {WMSZ_TOPRIGHT, {500, 200, 850, 450}},
        {WMSZ_LEFT, {250, 400, 600, 650}},
        {WMSZ_BOTTOMLEFT, {250, 400, 600, 650}},
    };
    for (const Case& c : cases) {
        RECT rect{500, 400, 600, 450};
        SendMessageW(frame.GetHandle(), WM_SIZING, c.edge, reinterpret_cast<LPARAM>(&rect));
        EXPECT_EQ(rect.left, c.expected.left) << c.edge;
        EXPECT_EQ(rect.top, c.expected.top) << c.edge;
        EXPECT_EQ(rect.right, c.expected.right) << c.edge;
        EXPECT_EQ(rect.bottom, c.expected.bottom) << c.edge;
    }
    RECT large{0, 0, 800, 600};
    SendMessageW(frame.GetHandle(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&large));
    EXPECT_EQ(large.right, 800);
    EXPECT_EQ(large.bottom, 600);
}

int TreeWidth(MainFrame& frame) {
    RECT rect{};
    frame.GetTreeView()->GetWindowRect(rect);
    return rect.right - rect.left;
}

TEST(MainFrameTest, SplitterMovesTheTreeButNeverBelow50) {
    MainFrame frame;
    ASSERT_EQ(frame.Create(Resources(), IDD_MAIN_FRAME, nullptr), 0);
    frame.Show(true);
    HWND window = frame.GetHandle();
    const int width = TreeWidth(frame);
    ASSERT_GT(width, 60);
    auto drag = [&](int fromX, int toX) {
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, 20));
        POINT target{toX, 20};
        ClientToScreen(window, &target);
        ClipCursor(nullptr);  // the confinement is checked by the width, not by the X server
        SetCursorPos(target.x, target.y);
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, 20));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(toX, 20));
    };
    drag(width + 1, width + 41);
    EXPECT_EQ(TreeWidth(frame), width + 40);
    drag(width + 41, 5);
    EXPECT_EQ(TreeWidth(frame), MainFrame::kMinTreeWidth);
    // A press away from the splitter starts nothing.
    drag(300, 150);
    EXPECT_EQ(TreeWidth(frame), MainFrame::kMinTreeWidth);
    EXPECT_EQ(GetCapture(), nullptr);
    // The list follows the tree, two pixels to its right.
    RECT tree{}, list{};
    frame.GetTreeView()->GetWindowRect(tree);
    frame.GetListView()->GetWindowRect(list);
    EXPECT_EQ(list.left, tree.right + 2);
    PostMessageW(window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
}

std::wstring openedTarget;
void RememberTarget(const wchar_t* target) { openedTarget = target; }

TEST(AboutDialogTest, VersionAndTheLinkToTheHelpFile) {
    const LinkOpener previous = SetLinkOpener(RememberTarget);
    AboutDialog about;
    ASSERT_EQ(about.Create(Resources(), IDD_ABOUT, nullptr), 0);
    HWND help = GetDlgItem(about.GetHandle(), IDC_HELP_LINK);
    SendMessageW(help, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(openedTarget, L"Sektra.chm");
    wchar_t text[128] = {};
    GetWindowTextW(help, text, 128);
    EXPECT_STREQ(text, L"Sektra.chm");
    GetDlgItemTextW(about.GetHandle(), IDC_ABOUT_VERSION, text, 128);
    EXPECT_STREQ(text, L"Sektra バージョン 2.2.1");
    // Escape's cancel is ignored; OK closes and gives the links their own procedures back.
    const LONG_PTR subclassed = GetWindowLongPtrW(help, GWLP_WNDPROC);
    SendMessageW(about.GetHandle(), WM_COMMAND, IDCANCEL, 0);
    PumpMessages();
    EXPECT_TRUE(IsWindow(about.GetHandle()));
    SendMessageW(about.GetHandle(), WM_COMMAND, IDOK, 0);
    PumpMessages();
    EXPECT_EQ(about.GetHandle(), nullptr);
    (void)subclassed;
    SetLinkOpener(previous);
}

class TimerOptionsTest : public testing::Test {
protected:
    void SetUp() override {
        ClearMessages();
        ASSERT_EQ(dialog.Create(Resources(), IDD_TIMER_OPTIONS, nullptr), 0);
    }
    void Set(int id, const wchar_t* text) { SetDlgItemTextW(dialog.GetHandle(), id, text); }
    void Confirm() {
        SendMessageW(dialog.GetHandle(), WM_COMMAND, IDOK, 0);
    }
    std::wstring LastMessage() { return Messages().empty() ? L"" : Messages().back().text; }

    TimerOptionsDialog dialog{1, 0, 0, 100};
};

TEST_F(TimerOptionsTest, RefusesIntervalsOutside10To1000AndAFrequencyOf0) {
    RadioGroup modes(dialog.GetHandle(), IDC_TIMER_TICK_COUNT, IDC_TIMER_TIME_STAMP);
    EXPECT_EQ(modes.GetChecked(), 1);
    for (const wchar_t* interval : {L"9", L"1001", L"0", L"-5", L"x"}) {
        ClearMessages();
        Set(IDC_TIMER_INTERVAL, interval);
        Confirm();
        ASSERT_EQ(Messages().size(), 1u) << interval;
        EXPECT_EQ(Messages()[0].text, ModuleString(IDS_BAD_INTERVAL));
        EXPECT_EQ(Messages()[0].caption, ModuleString(IDS_INPUT_ERROR_CAPTION));
    }
    Set(IDC_TIMER_INTERVAL, L"10");
    modes.Check(2);
    for (const wchar_t* frequency : {L"0", L"", L"abc", L"-1"}) {
        ClearMessages();
        Set(IDC_TIMER_TSC_FREQUENCY, frequency);
        Confirm();
        EXPECT_EQ(LastMessage(), ModuleString(IDS_BAD_TSC_FREQUENCY)) << frequency;
    }
    ClearMessages();
    Set(IDC_TIMER_TSC_FREQUENCY, L"2400000000");
    Set(IDC_TIMER_INTERVAL, L"1000");
    Confirm();
    EXPECT_TRUE(Messages().empty());
    std::int32_t mode = -1, interval = -1;
    std::uint64_t ticks = 0;
    dialog.GetResult(mode, ticks, interval);
    EXPECT_EQ(mode, 2);
    EXPECT_EQ(ticks, 2400000000ULL);
    EXPECT_EQ(interval, 1000);
}

TEST_F(TimerOptionsTest, TickCountCountsMilliseconds) {
    RadioGroup modes(dialog.GetHandle(), IDC_TIMER_TICK_COUNT, IDC_TIMER_TIME_STAMP);
    modes.Check(0);
    Set(IDC_TIMER_INTERVAL, L"250");
    Confirm();
    EXPECT_TRUE(Messages().empty());
    std::int32_t mode = -1, interval = -1;
    std::uint64_t ticks = 0;
    dialog.GetResult(mode, ticks, interval);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(ticks, 1000u);
    EXPECT_EQ(interval, 250);
}

}  // namespace
}  // namespace sektra
