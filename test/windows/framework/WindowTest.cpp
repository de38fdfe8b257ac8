// Window: texts in and out, numbers shown and read back, client-area geometry.
#include <cstdint>
#include <memory>
#include <string>

#include "FrameworkFixture.h"
#include "framework/win32/Control.h"
#include "framework/win32/EditControl.h"
#include "language/ResourceIds.h"

namespace sektra::test {
namespace {

class WindowTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        // Window objects join the hub when they are made: after the application.
        probe = std::make_unique<ProbeDialog>();
        ASSERT_EQ(probe->Create(module, IDD_WRITE_CONFIRM, nullptr), 0);
    }
    void TearDown() override {
        probe.reset();
        FrameworkTest::TearDown();
    }
    std::unique_ptr<ProbeDialog> probe;
    ProbeDialog& dialog() { return *probe; }
};

TEST_F(WindowTest, NumbersAreShownInFullAndReadBackLikeTheCLibraryScansThem) {
    EditControl edit(dialog().GetHandle(), IDC_CONFIRM_WORD);
    EXPECT_STREQ(edit.GetText(), L"");
    EXPECT_EQ(edit.GetTextAsInt32(), 0);

    edit.SetText(static_cast<std::int64_t>(-1));
    EXPECT_STREQ(edit.GetText(), L"-1");
    edit.SetText(static_cast<std::uint64_t>(-1));
    EXPECT_STREQ(edit.GetText(), L"18446744073709551615");
    edit.SetText(static_cast<std::int32_t>(-2147483647 - 1));
    EXPECT_STREQ(edit.GetText(), L"-2147483648");
    edit.SetText(static_cast<std::uint32_t>(4294967295u));
    EXPECT_STREQ(edit.GetText(), L"4294967295");
    edit.SetText(static_cast<DWORD>(7));
    EXPECT_STREQ(edit.GetText(), L"7");

    struct ScanCase {
        const wchar_t* text;
        std::int32_t int32;
        std::uint32_t uint32;
        std::int64_t int64;
        std::uint64_t uint64;
    };
    const ScanCase cases[] = {
        {L"12abc", 12, 12u, 12, 12u},
        {L"abc", 0, 0u, 0, 0u},
        {L"  42", 42, 42u, 42, 42u},
        {L"-1", -1, 4294967295u, -1, 18446744073709551615u},
        {L"4294967296", 0, 0u, 4294967296, 4294967296u},
        {L"99999", 99999, 99999u, 99999, 99999u},
        {L"18446744073709551615", -1, 4294967295u, 9223372036854775807, 18446744073709551615u},
    };
    for (const ScanCase& entry : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(entry.text)));
        edit.SetText(entry.text);
        EXPECT_EQ(edit.GetTextAsInt32(), entry.int32);
        EXPECT_EQ(edit.GetTextAsUInt32(), entry.uint32);
        EXPECT_EQ(edit.GetTextAsInt64(), entry.int64);
        EXPECT_EQ(edit.GetTextAsUInt64(), entry.uint64);
    }
}

TEST_F(WindowTest, EditLimitAndJapaneseTextRoundTrip) {
    EditControl edit(dialog().GetHandle(), IDC_CONFIRM_WORD);
    edit.SetLimitText(5);
    EXPECT_EQ(edit.GetLimitText(), 5);
    Control label(dialog().GetHandle(), IDC_CONFIRM_DEVICE);
    EXPECT_EQ(label.SetText(L" 日本語のモデル名"), 0);
    EXPECT_STREQ(label.GetText(), L" 日本語のモデル名");
}

TEST_F(WindowTest, ClientAreaLandsWhereAndAsLargeAsAsked) {
    Window& window = dialog();
    window.ResizeClient(400, 250);
    RECT client{};
    window.GetClientRect(client);
    EXPECT_EQ(client.right - client.left, 400);
    EXPECT_EQ(client.bottom - client.top, 250);

    window.MoveClient(100, 80);
    RECT onScreen{};
    window.GetClientRectOnScreen(onScreen);
    EXPECT_EQ(onScreen.left, 100);
    EXPECT_EQ(onScreen.top, 80);

    window.SetClientBounds(RECT{60, 50, 320, 200});
    window.GetClientRectOnScreen(onScreen);
    EXPECT_EQ(onScreen.left, 60);
    EXPECT_EQ(onScreen.top, 50);
    EXPECT_EQ(onScreen.right - onScreen.left, 320);
    EXPECT_EQ(onScreen.bottom - onScreen.top, 200);

    window.SetBounds(RECT{10, 20, 300, 220});
    RECT outer{};
    window.GetWindowRect(outer);
    EXPECT_EQ(outer.left, 10);
    EXPECT_EQ(outer.top, 20);
    EXPECT_EQ(outer.right - outer.left, 300);
    EXPECT_EQ(outer.bottom - outer.top, 220);
}

WNDPROC previous = nullptr;
int seen = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++seen;
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

TEST_F(WindowTest, StateAndSubclassingForwardToTheWindow) {
    Control button(dialog().GetHandle(), IDOK);
    button.Enable(false);
    EXPECT_FALSE(button.IsEnabled());
    button.Enable(true);
    EXPECT_TRUE(button.IsEnabled());
    dialog().Show(true);
    EXPECT_TRUE(dialog().IsVisible());
    EXPECT_EQ(button.GetParent(), dialog().GetHandle());
    EXPECT_TRUE(button.GetStyle() & WS_CHILD);

    previous = button.SetWindowProc(CountingProc);
    ASSERT_NE(previous, nullptr);
    button.SendMessage(WM_APP, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_NE(button.GetWindowProc(), previous);
    button.SetWindowProc(previous);
    EXPECT_EQ(button.GetWindowProc(), previous);
}

TEST_F(WindowTest, ControlWrapperNeverDestroysItsControl) {
    HWND edit = GetDlgItem(dialog().GetHandle(), IDC_CONFIRM_WORD);
    { Control wrapper(dialog().GetHandle(), IDC_CONFIRM_WORD); }
    EXPECT_TRUE(IsWindow(edit));
}

}  // namespace
}  // namespace sektra::test
