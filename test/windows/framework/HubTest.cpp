// The message hub: every dialog message goes to the filters first and then to every window
// object, and each object acts only on its own window; dialogs from the real language module,
// modeless and modal.
#include <memory>
#include <string>

#include "FrameworkFixture.h"
#include "framework/win32/MessageFilter.h"
#include "language/ResourceIds.h"

namespace sektra::test {
namespace {

constexpr UINT kProbe = WM_APP + 17;

struct Seen {
    std::string who;
    bool own;
};

class RecordingFilter : public MessageFilter {
public:
    explicit RecordingFilter(std::vector<Seen>& log) : log(log) {}
    void OnFilterMessage(MessageRecord& record) override {
        if (record.message == kProbe) log.push_back({"filter", false});
    }
    std::vector<Seen>& log;
};

void Record(ProbeDialog& dialog, std::vector<Seen>& log, const std::string& name) {
    dialog.observer = [&log, name](ProbeDialog& self, MessageRecord& record) {
        if (record.message == kProbe) log.push_back({name, record.window == self.GetHandle()});
    };
}

using HubTest = FrameworkTest;

TEST_F(HubTest, FiltersSeeAMessageBeforeEveryWindowAndOnlyTheOwnerActs) {
    std::vector<Seen> log;
    ProbeDialog first, second;
    Record(first, log, "first");
    Record(second, log, "second");
    ASSERT_EQ(first.Create(module, IDD_WAIT, nullptr), 0);
    ASSERT_EQ(second.Create(module, IDD_WAIT, nullptr), 0);
    // Registered after the windows, and still first.
    RecordingFilter filter(log);

    SendMessageW(second.GetHandle(), kProbe, 0, 0);

    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].who, "filter");
    EXPECT_EQ(log[1].who, "first");
    EXPECT_FALSE(log[1].own);
    EXPECT_EQ(log[2].who, "second");
    EXPECT_TRUE(log[2].own);
    EXPECT_TRUE(first.acted.empty());
    EXPECT_EQ(second.acted, std::vector<UINT>{kProbe});
    EXPECT_EQ(first.initCount, 1);
    EXPECT_EQ(second.initCount, 1);
    EXPECT_EQ(application->GetDialogCount(), 2);
}

TEST_F(HubTest, ModalDialogJoinsTheNavigationListAndEndsWithTheWParamOfItsClose) {
    ProbeDialog dialog;
    int countDuringInit = -1;
    HWND listedDuringInit = nullptr;
    dialog.onInit = [&](ProbeDialog& self) {
        countDuringInit = application->GetDialogCount();
        listedDuringInit = application->GetDialogAt(0);
        self.PostMessage(WM_CLOSE, 7, 0);
    };

    EXPECT_EQ(dialog.DoModal(module, IDD_ABOUT, nullptr), 7);

    EXPECT_EQ(countDuringInit, 1);
    EXPECT_NE(listedDuringInit, nullptr);
    EXPECT_EQ(application->GetDialogCount(), 0);
    EXPECT_EQ(application->GetDialogAt(0), nullptr);
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    // The object can run again.
    dialog.onInit = [](ProbeDialog& self) { self.PostMessage(WM_CLOSE, 1, 0); };
    EXPECT_EQ(dialog.DoModal(module, IDD_ABOUT, nullptr), 1);
}

TEST_F(HubTest, ModalDialogOverAModelessOneBothSeeEachOthersMessages) {
    std::vector<Seen> log;
    ProbeDialog owner, modal;
    ASSERT_EQ(owner.Create(module, IDD_MAIN_FRAME, nullptr), 0);
    Record(owner, log, "owner");
    Record(modal, log, "modal");
    modal.onInit = [&](ProbeDialog& self) {
        SendMessageW(self.GetHandle(), kProbe, 0, 0);
        SendMessageW(owner.GetHandle(), kProbe, 0, 0);
        self.PostMessage(WM_CLOSE, 0, 0);
    };

    EXPECT_EQ(modal.DoModal(module, IDD_WRITE_CONFIRM, owner.GetHandle()), 0);

    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].who + (log[0].own ? "+" : "-"), "owner-");
    EXPECT_EQ(log[1].who + (log[1].own ? "+" : "-"), "modal+");
    EXPECT_EQ(log[2].who + (log[2].own ? "+" : "-"), "owner+");
    EXPECT_EQ(log[3].who + (log[3].own ? "+" : "-"), "modal-");
    EXPECT_EQ(owner.acted, std::vector<UINT>{kProbe});
    EXPECT_EQ(modal.acted, std::vector<UINT>{kProbe});
}

TEST_F(HubTest, CreateAndDoModalRefuseAnObjectWhoseWindowLives) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_WAIT, nullptr), 0);
    HWND window = dialog.GetHandle();
    EXPECT_EQ(dialog.Create(module, IDD_WAIT, nullptr), -1);
    EXPECT_EQ(dialog.DoModal(module, IDD_WAIT, nullptr), -1);
    EXPECT_EQ(dialog.GetHandle(), window);
    EXPECT_EQ(dialog.End(0), -1) << "a modeless dialog is not ended";
    EXPECT_EQ(dialog.Destroy(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.Destroy(), 0) << "nothing left to destroy";
}

TEST_F(HubTest, DeletingAnObjectWithALiveModelessWindowDestroysItAndLeavesTheHub) {
    const std::size_t before = application->WindowCount();
    auto dialog = std::make_unique<ProbeDialog>();
    ASSERT_EQ(dialog->Create(module, IDD_WAIT, nullptr), 0);
    HWND window = dialog->GetHandle();
    EXPECT_EQ(application->WindowCount(), before + 1);

    dialog.reset();

    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(application->GetDialogCount(), 0);
    EXPECT_EQ(application->WindowCount(), before);
}

TEST_F(HubTest, ClosingAModelessDialogThroughItsCloseMessageLeavesTheNavigationList) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_WAIT, nullptr), 0);
    HWND window = dialog.GetHandle();
    PostMessageW(window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(dialog.GetHandle(), nullptr);
    EXPECT_EQ(application->GetDialogCount(), 0);
}

TEST_F(HubTest, AnOwnedDialogDestroyedWithItsOwnerForgetsItsWindow) {
    // The wait notice is owned by the main window; when the owner goes first, the system
    // destroys the notice without its object being asked.
    ProbeDialog owner, owned;
    ASSERT_EQ(owner.Create(module, IDD_MAIN_FRAME, nullptr), 0);
    ASSERT_EQ(owned.Create(module, IDD_WAIT, owner.GetHandle()), 0);
    HWND ownedWindow = owned.GetHandle();
    EXPECT_EQ(application->GetDialogCount(), 2);

    EXPECT_EQ(owner.Destroy(), 0);

    EXPECT_FALSE(IsWindow(ownedWindow));
    EXPECT_EQ(owned.GetHandle(), nullptr);
    EXPECT_EQ(application->GetDialogCount(), 0);
    EXPECT_EQ(owned.Destroy(), 0);
}

TEST_F(HubTest, HubListsIgnoreDuplicatesAndRemoveOnlyWhatIsListed) {
    HWND a = reinterpret_cast<HWND>(0x1000), b = reinterpret_cast<HWND>(0x2000);
    application->AddDialog(a);
    application->AddDialog(b);
    application->AddDialog(a);
    EXPECT_EQ(application->GetDialogCount(), 2);
    EXPECT_EQ(application->GetDialogAt(1), b);
    EXPECT_EQ(application->GetDialogAt(-1), nullptr);
    application->RemoveDialog(reinterpret_cast<HWND>(0x3000));
    application->RemoveDialog(a);
    EXPECT_EQ(application->GetDialogCount(), 1);
    EXPECT_EQ(application->GetDialogAt(0), b);
    application->RemoveDialog(b);

    const std::size_t filters = application->FilterCount();
    {
        std::vector<Seen> log;
        RecordingFilter filter(log);
        application->AddFilter(&filter);
        EXPECT_EQ(application->FilterCount(), filters + 1);
    }
    EXPECT_EQ(application->FilterCount(), filters);
}

TEST_F(HubTest, KeyboardNavigationReachesTheRegisteredDialogs) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_SEEK_OPTIONS, nullptr), 0);
    HWND edit = GetDlgItem(dialog.GetHandle(), IDC_SEEK_COUNT);
    MSG message{edit, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_TRUE(application->TranslateDialogMessage(&message));
    EXPECT_EQ(dialog.Destroy(), 0);
    EXPECT_FALSE(application->TranslateDialogMessage(&message));
}

TEST_F(HubTest, ADialogClosedByItsOwnKeystrokeLeavesTheListConsistent) {
    ProbeDialog first, second;
    ASSERT_EQ(first.Create(module, IDD_WAIT, nullptr), 0);
    ASSERT_EQ(second.Create(module, IDD_WRITE_CONFIRM, nullptr), 0);
    // Enter in the confirmation edit presses OK, and OK closes both dialogs at once, while
    // the navigation list is being walked.
    second.observer = [&](ProbeDialog& self, MessageRecord& record) {
        if (record.window == self.GetHandle() && record.message == WM_COMMAND && LOWORD(record.wParam) == IDOK) {
            first.Destroy();
            self.Destroy();
        }
    };
    HWND edit = GetDlgItem(second.GetHandle(), IDC_CONFIRM_WORD);
    MSG message{edit, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    EXPECT_TRUE(application->TranslateDialogMessage(&message));
    EXPECT_EQ(second.GetHandle(), nullptr);
    EXPECT_EQ(application->GetDialogCount(), 0);
}

}  // namespace
}  // namespace sektra::test
