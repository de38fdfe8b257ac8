#include "app/win32/Document.h"

#include <gtest/gtest.h>

#include "AppEnvironment.h"
#include "app/win32/DeviceSelectionDialog.h"
#include "app/win32/MainFrame.h"
#include "app/win32/ModuleTexts.h"
#include "device/Device.h"
#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"

namespace sektra {
namespace {

// The Document with its test windows replaced by a record of what would have opened.
class RecordingDocument : public Document {
public:
    void StartTestWindow(const TestWindowRequest& request) override { started.push_back(request); }
    std::vector<TestWindowRequest> started;
};

class DocumentTest : public testing::Test {
protected:
    void SetUp() override {
        WriteSettingsFile(FullSettings());
        ClearMessages();
    }
    void TearDown() override {
        delete document;
        PumpMessages();
    }
    void Open() {
        document = new RecordingDocument;
        ASSERT_EQ(document->Initialize(), 0);
    }
    TreeView& Tree() { return *document->GetMainFrame()->GetTreeView(); }
    ListView& List() { return *document->GetMainFrame()->GetListView(); }

    // The tree control's items as the portable model's nodes.
    TreeNode ReadTree(HTREEITEM item) {
        TreeNode node{Tree().GetItemText(item), static_cast<ItemCode>(Tree().GetItemData(item)), {}};
        for (HTREEITEM child = Tree().GetChild(item); child != nullptr; child = Tree().GetNextSibling(child)) {
            node.children.push_back(ReadTree(child));
        }
        return node;
    }

    void ExpectSameTree(const TreeNode& shown, const TreeNode& model) {
        EXPECT_EQ(shown.text, model.text) << std::hex << model.code;
        EXPECT_EQ(shown.code, model.code);
        ASSERT_EQ(shown.children.size(), model.children.size()) << std::hex << model.code;
        for (std::size_t i = 0; i < model.children.size(); ++i) ExpectSameTree(shown.children[i], model.children[i]);
    }

    void Select(ItemCode code) { ASSERT_NE(Tree().FindItemByData(static_cast<LPARAM>(code), true), nullptr); }

    void DoubleClickRow(int row) {
        NMITEMACTIVATE activation{};
        activation.hdr.hwndFrom = List().GetHandle();
        activation.hdr.idFrom = IDC_DETAIL_LIST;
        activation.hdr.code = NM_DBLCLK;
        activation.iItem = row;
        SendMessageW(document->GetMainFrame()->GetHandle(), WM_NOTIFY, IDC_DETAIL_LIST,
                     reinterpret_cast<LPARAM>(&activation));
    }

    RecordingDocument* document = nullptr;
};

TEST_F(DocumentTest, TreeHoldsEveryDemoDeviceWithItsNodes) {
    Open();
    DeviceLists lists;
    for (const auto& d : document->GetDevices(kGroupDisk)) lists.disks.push_back(d.get());
    for (const auto& d : document->GetDevices(kGroupCdRom)) lists.cdRoms.push_back(d.get());
    for (const auto& d : document->GetDevices(kGroupChanger)) lists.changers.push_back(d.get());
    EXPECT_EQ(lists.disks.size(), 6u);
    EXPECT_EQ(lists.cdRoms.size(), 1u);
    EXPECT_EQ(lists.changers.size(), 1u);
    const TreeNode model = BuildDeviceTree(lists, ModuleTexts(), nullptr);
    ExpectSameTree(ReadTree(Tree().GetRoot()), model);
    // The root is expanded and selected.
    EXPECT_EQ(Tree().GetItemData(Tree().GetSelection()), 0);
    EXPECT_EQ(Tree().GetItemText(Tree().GetRoot()), ModuleString(IDS_TREE_ROOT));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DocumentTest, SelectingNodesFillsTheList) {
    Open();
    Select(0x11010000);  // the SCSI disk's summary
    ASSERT_EQ(List().GetItemCount(), 9);
    EXPECT_EQ(List().GetItemText(0, 0), ModuleString(IDS_SUMMARY_MODEL));
    EXPECT_EQ(List().GetItemText(0, 1), L"SEKTRA DEMO SCSI DISK");
    EXPECT_EQ(List().GetItemText(6, 1), L"4096 MB");
    EXPECT_EQ(List().GetItemText(6, 2), L"1 MB = 1,048,576 bytes");

    Select(0x11015100);  // 24 primary defects
    EXPECT_EQ(List().GetItemCount(), 26);

    Select(0x11011500);  // sequential read: 11 sizes and the other size
    ASSERT_EQ(List().GetItemCount(), 14);
    EXPECT_EQ(List().GetItemData(2), 0x11011511);
    // A size row's double-click selects that size's node, which lists the four variants.
    DoubleClickRow(2);
    EXPECT_EQ(Tree().GetItemData(Tree().GetSelection()), 0x11011511);
    ASSERT_EQ(List().GetItemCount(), 6);
    EXPECT_EQ(List().GetItemText(2, 0), L"Seq. Read Test(1 KB)");
    EXPECT_EQ(List().GetItemData(5), 0x11011551);

    Select(0x31000000);  // medium changers show nothing
    EXPECT_EQ(List().GetItemCount(), 0);
    Select(0x11FF0000);  // nor do bus folders
    EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(DocumentTest, DeviceSelectionClearsProtectionAndRefreshProtectsAgain) {
    Open();
    Device* disk = document->GetDevice(0x11010000);
    ASSERT_NE(disk, nullptr);
    // Every device starts protected: a write test is refused with message 106.
    document->OpenTestWindow(0x11011611);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(document->started.empty());
    EXPECT_EQ(Messages()[0].text, ModuleString(IDS_PROTECTED_DEVICE));
    EXPECT_EQ(Messages()[0].caption, ModuleString(IDS_PROTECTED_CAPTION));
    ClearMessages();

    std::vector<Device*> devices;
    for (const auto& d : document->GetDevices(kGroupDisk)) devices.push_back(d.get());
    for (const auto& d : document->GetDevices(kGroupCdRom)) devices.push_back(d.get());
    DeviceSelectionDialog dialog(devices);
    ASSERT_EQ(dialog.Create(theApplication->GetResourceInstance(), IDD_DEVICE_SELECTION,
                            document->GetMainFrame()->GetHandle()), 0);
    ListView list(dialog.GetHandle(), IDC_DEVICE_LIST);
    ASSERT_EQ(list.GetItemCount(), 7);  // six disks, then the CD-ROM
    EXPECT_EQ(list.GetItemText(1, 0), L"SEKTRA DEMO SCSI DISK (S200)");
    EXPECT_EQ(list.GetItemText(1, 1), L"Direct Access Device");
    EXPECT_EQ(list.GetItemText(6, 1), L"CDROM Device");
    EXPECT_EQ(list.GetItemText(6, 2), L"ATAPI");
    for (int row = 0; row < 7; ++row) EXPECT_TRUE(list.GetCheckState(row)) << row;
    list.SetCheckState(1, false);
    SendMessageW(dialog.GetHandle(), WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(disk->IsWriteProtected());
    EXPECT_TRUE(document->GetDevice(0x13000000)->IsWriteProtected());
    document->OpenTestWindow(0x11011611);
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(document->started.size(), 1u);
    EXPECT_EQ(document->started[0].device, disk);
    EXPECT_EQ(document->started[0].itemCode, 0x11011611u);
    EXPECT_EQ(document->started[0].owner, document->GetMainFrame()->GetHandle());
    EXPECT_EQ(document->started[0].ticksPerSecond, document->GetSettings().ticksPerSecond);
    EXPECT_EQ(document->started[0].showInterval, 100);
    EXPECT_EQ(document->started[0].performCells, 201);

    Select(0x11011600);
    document->Refresh();
    EXPECT_EQ(Tree().GetItemData(Tree().GetSelection()), 0x11011600);  // the same node again
    EXPECT_TRUE(document->GetDevice(0x11010000)->IsWriteProtected());
    document->OpenTestWindow(0x11011611);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(document->started.size(), 1u);
    // Reading tests need no unprotecting; medium changers and unknown rows open nothing.
    document->OpenTestWindow(0x11011511);
    document->OpenTestWindow(0x31001500);
    document->OpenTestWindow(0x11091500);
    EXPECT_EQ(document->started.size(), 2u);
}

TEST_F(DocumentTest, DoubleClickOnAVariantOpensItsTest) {
    Open();
    Select(0x13001712);  // random read, 2 KB on the ATA disk
    ASSERT_EQ(List().GetItemCount(), 6);
    DoubleClickRow(4);
    ASSERT_EQ(document->started.size(), 1u);
    EXPECT_EQ(document->started[0].itemCode, 0x13001742u);
    EXPECT_EQ(document->started[0].device, document->GetDevice(0x13000000));
    DoubleClickRow(0);  // the header rows open nothing
    EXPECT_EQ(document->started.size(), 1u);
}

TEST_F(DocumentTest, SettingsWithoutAKeyAreRefused) {
    for (std::size_t missing = 0; missing < 4; ++missing) {
        std::vector<std::wstring> lines = FullSettings();
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(missing));
        WriteSettingsFile(lines);
        ClearMessages();
        Document broken;
        EXPECT_EQ(broken.Initialize(), -1) << missing;
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_EQ(Messages()[0].text, ModuleString(IDS_SETTINGS_MISSING));
        EXPECT_EQ(Messages()[0].caption, ModuleString(IDS_ERROR));
        EXPECT_EQ(Messages()[0].type, static_cast<UINT>(MB_ICONHAND));
        EXPECT_EQ(broken.GetMainFrame(), nullptr);
    }
}

TEST_F(DocumentTest, TimeBaseFromTheSettings) {
    WriteSettingsFile({L"TimerMode=2", L"ShowInterval=250", L"PerFrq=0", L"PerformCells=99"});
    Open();
    EXPECT_EQ(document->GetSettings().timerMode, 0);  // no frequency to count with
    EXPECT_EQ(document->GetSettings().ticksPerSecond, 1000u);
    EXPECT_EQ(document->GetSettings().showInterval, 250);
    EXPECT_EQ(document->GetSettings().performCells, 99);
}

}  // namespace
}  // namespace sektra
