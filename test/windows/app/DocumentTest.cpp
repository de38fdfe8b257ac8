#include "app/win32/Document.h"

#include <gtest/gtest.h>

#include "AppEnvironment.h"
#include "app/win32/DeviceSelectionDialog.h"
#include "app/win32/MainFrame.h"
#include "app/win32/ModuleTexts.h"
#include "app/IntegerFormat.h"
#include "device/Device.h"
#include "emulator/EmulatedPort.h"
#include "framework/win32/ApplicationBase.h"
#include "language/ResourceIds.h"
#include "testwindows/win32/WriteTestConfirmDialog.h"

namespace sektra {
namespace {

// The Document with its test windows and help replaced by a record of what would have opened.
class RecordingDocument : public Document {
public:
    void StartTestWindow(const TestWindowRequest& request) override { started.push_back(request); }
    void Refresh() override {
        ++refreshes;
        Document::Refresh();
    }
    void ShowHelp() override { ++helps; }
    std::vector<TestWindowRequest> started;
    int refreshes = 0;
    int helps = 0;
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
    EXPECT_EQ(lists.disks.size(), 10u);
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
    Select(0x11010000);  // the SCSI disk's summary: 9 capacity rows, then 12 first-read fields
    ASSERT_EQ(List().GetItemCount(), 21);
    EXPECT_EQ(List().GetItemText(0, 0), ModuleString(IDS_SUMMARY_MODEL));
    EXPECT_EQ(List().GetItemText(9, 0), ModuleString(IDS_FIELD_SERIAL));
    EXPECT_EQ(List().GetItemText(9, 1), L"SKT0000S0002");
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
    ASSERT_EQ(list.GetItemCount(), 11);  // ten disks, then the CD-ROM
    EXPECT_EQ(list.GetItemText(1, 0), L"SEKTRA DEMO SCSI DISK (S200)");
    EXPECT_EQ(list.GetItemText(1, 1), L"Direct Access Device");
    EXPECT_EQ(list.GetItemText(10, 1), L"CDROM Device");
    EXPECT_EQ(list.GetItemText(10, 2), L"ATAPI");
    for (int row = 0; row < 11; ++row) EXPECT_TRUE(list.GetCheckState(row)) << row;
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
    document->OpenTestWindow(0x110A1500);  // disk 10: past the demo set
    EXPECT_EQ(document->started.size(), 2u);
}

TEST_F(DocumentTest, WriteTestsAreRefusedOnDisksThatHoldData) {
    Open();
    for (const auto& d : document->GetDevices(kGroupDisk)) d->SetWriteProtected(false);
    const std::wstring howToClear = L"\r\n\r\n" + ModuleString(IDS_REFUSE_HOW_TO_CLEAR);
    struct Case {
        ItemCode disk;
        std::uint32_t member;
        std::wstring message;
    };
    const Case cases[] = {
        {0x11060000, 6, FormatInteger(ModuleString(IDS_REFUSE_MBR), 2) + howToClear},
        {0x11070000, 7, ModuleString(IDS_REFUSE_GPT) + howToClear},
    };
    for (const Case& c : cases) {
        EmulatedDevice& emulated = *DemoPort().GetDevice(0, c.member);
        emulated.Log().Clear();
        // Sequential and random write, each with its first size's range variants and the other size.
        for (ItemCode test : {0x1620u, 0x1630u, 0x16FFu, 0x1820u, 0x18FFu}) {
            ClearMessages();
            document->OpenTestWindow(c.disk | test);
            ASSERT_EQ(Messages().size(), 1u) << std::hex << (c.disk | test);
            EXPECT_EQ(Messages()[0].text, c.message);
            EXPECT_EQ(Messages()[0].caption, ModuleString(IDS_REFUSE_CAPTION));
            EXPECT_EQ(Messages()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONHAND));
        }
        EXPECT_TRUE(document->started.empty());
        EXPECT_FALSE(emulated.Log().AnyWriteSent());
    }
    // A blank disk goes on to its window (and its confirmation), reading tests are never checked.
    ClearMessages();
    document->OpenTestWindow(0x11011620);
    document->OpenTestWindow(0x11061520);
    EXPECT_TRUE(Messages().empty());
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

// A key as the keyboard delivers it: posted to the focused pane, then through the message loop
// with its dialog navigation, as in the running program.
void PressKey(HWND pane, WPARAM key) {
    SetFocus(pane);
    PostMessageW(pane, WM_KEYDOWN, key, 1);
    PostMessageW(pane, WM_KEYUP, key, 0xC0000001);
    PumpMessages();
}

TEST_F(DocumentTest, KeysOfTheDeviceView) {
    Open();
    Select(0x13001712);  // random read, 2 KB on the ATA disk
    ListView_SetItemState(List().GetHandle(), 4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(List().GetHandle(), VK_RETURN);  // Enter opens the selected variant, once
    ASSERT_EQ(document->started.size(), 1u);
    EXPECT_EQ(document->started[0].itemCode, 0x13001742u);
    ListView_SetItemState(List().GetHandle(), 0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(List().GetHandle(), VK_RETURN);  // a header row opens nothing
    EXPECT_EQ(document->started.size(), 1u);

    // F5 and F1 act from either pane; F5 keeps the selected node.
    for (HWND pane : {Tree().GetHandle(), List().GetHandle()}) {
        PressKey(pane, VK_F5);
        PressKey(pane, VK_F1);
    }
    EXPECT_EQ(document->refreshes, 2);
    EXPECT_EQ(document->helps, 2);
    EXPECT_EQ(Tree().GetItemData(Tree().GetSelection()), 0x13001712);
    EXPECT_TRUE(IsWindow(document->GetMainFrame()->GetHandle()));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DocumentTest, ANotReadySizeSaysWhy) {
    Open();
    Select(0x22001300);  // cache hit on the CD-ROM: 32 blocks of 2048 bytes at most
    ASSERT_EQ(List().GetItemText(8, 1), L"Test Not Ready");
    DoubleClickRow(8);
    ListView_SetItemState(List().GetHandle(), 8, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PressKey(List().GetHandle(), VK_RETURN);
    EXPECT_TRUE(document->started.empty());
    ASSERT_EQ(Messages().size(), 2u);
    for (const ShownMessage& shown : Messages()) {
        EXPECT_NE(shown.text.find(L"アダプター"), std::wstring::npos);
        EXPECT_NE(shown.text.find(L"最大 32 セクター"), std::wstring::npos) << shown.text;
        EXPECT_EQ(shown.caption, ModuleString(IDS_NOT_READY_CAPTION));
    }
    DoubleClickRow(7);  // 32 blocks is still ready
    EXPECT_EQ(document->started.size(), 1u);
    EXPECT_EQ(Messages().size(), 2u);
}

// Whether the detail list draws with a font whose narrow and wide letters take equal room.
bool ListFontIsFixedPitch(HWND list) {
    HDC dc = GetDC(list);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(dc, L"MMMM", 4, &wide);
    SelectObject(dc, previous);
    ReleaseDC(list, dc);
    return narrow.cx == wide.cx;
}

int ValueColumnFormat(HWND list) {
    LVCOLUMNW column{};
    column.mask = LVCF_FMT;
    ListView_GetColumn(list, 1, &column);
    return column.fmt & LVCFMT_JUSTIFYMASK;
}

TEST_F(DocumentTest, HexDumpsInAFixedPitchFontLeftAligned) {
    Open();
    const HWND list = List().GetHandle();
    Select(0x11010000);  // the summary: proportional, values right-aligned
    EXPECT_FALSE(ListFontIsFixedPitch(list));
    EXPECT_EQ(ValueColumnFormat(list), LVCFMT_RIGHT);
    Select(0x11012100);  // standard INQUIRY data
    ASSERT_GT(List().GetItemCount(), 1);
    EXPECT_TRUE(ListFontIsFixedPitch(list));
    EXPECT_EQ(ValueColumnFormat(list), LVCFMT_LEFT);
    // A whole row of bytes fits its column, and so do the decoded rows above the dump.
    for (int row = 0; row < List().GetItemCount(); ++row) {
        EXPECT_GE(ListView_GetColumnWidth(list, 1), ListView_GetStringWidth(list, List().GetItemText(row, 1).c_str())) << row;
    }
    Select(0x11010000);
    EXPECT_FALSE(ListFontIsFixedPitch(list));
    EXPECT_EQ(ValueColumnFormat(list), LVCFMT_RIGHT);
}

TEST_F(DocumentTest, WriteBufferConfirmationSaysTheMediumKeepsItsData) {
    Open();
    struct Case {
        ItemCode code;
        bool bufferOnly;
    } const cases[] = {{0x11011A1A, true}, {0x11011611, false}, {0x11011811, false}};
    for (const Case& c : cases) {
        WriteTestConfirmDialog dialog(document->GetDevice(c.code), c.code);
        ASSERT_EQ(dialog.Create(theApplication->GetResourceInstance(), IDD_WRITE_CONFIRM, nullptr), 0);
        wchar_t text[256] = {};
        GetDlgItemTextW(dialog.GetHandle(), IDC_CONFIRM_WARNING, text, 256);
        const std::wstring warning = text;
        EXPECT_EQ(warning == ModuleString(IDS_CONFIRM_BUFFER_ONLY), c.bufferOnly) << std::hex << c.code;
        EXPECT_EQ(warning.find(L"すべて失われ") != std::wstring::npos, !c.bufferOnly) << std::hex << c.code;
    }
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
    // A file without the transfer choices (as earlier versions wrote it) is complete: both off.
    EXPECT_FALSE(document->GetSettings().transferChoices.alignedPositions);
    EXPECT_FALSE(document->GetSettings().transferChoices.randomWriteData);
}

TEST_F(DocumentTest, TransferChoicesFromTheSettings) {
    std::vector<std::wstring> lines = FullSettings();
    lines.push_back(L"AlignedPositions=1");
    lines.push_back(L"RandomWriteData=on");  // not 1: stays off
    WriteSettingsFile(lines);
    Open();
    EXPECT_TRUE(document->GetSettings().transferChoices.alignedPositions);
    EXPECT_FALSE(document->GetSettings().transferChoices.randomWriteData);
}

}  // namespace
}  // namespace sektra
