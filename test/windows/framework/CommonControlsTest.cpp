// The common-control wrappers on the controls of Sektra.jpn's dialogs.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "FrameworkFixture.h"
#include "framework/win32/ListView.h"
#include "framework/win32/ProgressBar.h"
#include "framework/win32/RadioGroup.h"
#include "framework/win32/TreeView.h"
#include "framework/win32/UpDownControl.h"
#include "language/ResourceIds.h"

namespace sektra::test {
namespace {

using CommonControlsTest = FrameworkTest;

TEST_F(CommonControlsTest, ListViewColumnsRowsAndLongTexts) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_MAIN_FRAME, nullptr), 0);
    ListView list(dialog.GetHandle(), IDC_DETAIL_LIST);
    EXPECT_EQ(list.InsertColumn(0, L"項目", 150, LVCFMT_LEFT), 0);
    EXPECT_EQ(list.InsertColumn(1, L"値", 160, LVCFMT_RIGHT), 1);
    EXPECT_EQ(list.InsertColumn(2, L"備考", 180, LVCFMT_LEFT), 2);
    list.SetExtendedStyle(0x21, 0x21);
    EXPECT_EQ(list.GetExtendedStyle() & 0x21, 0x21u);

    EXPECT_EQ(list.InsertItem(0, L"モデル", 0x10000000), 0);
    EXPECT_EQ(list.InsertItem(1, L"容量", 0x11020000), 1);
    const std::wstring longText(700, L'あ');
    EXPECT_EQ(list.SetItemText(1, 2, longText.c_str()), 0);
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemData(1), 0x11020000);
    EXPECT_EQ(list.GetItemText(0, 0), L"モデル");
    EXPECT_EQ(list.GetItemText(1, 2), longText) << "longer than 255 characters, whole";
    EXPECT_EQ(list.GetItemText(0, 1), L"");
    EXPECT_EQ(list.FindItemByData(0x11020000, -1), 1);
    EXPECT_EQ(list.FindItemByText(L"モデル", -1), 0);
    EXPECT_EQ(list.FindItemByData(0x5, -1), -1);

    EXPECT_EQ(list.SetColumnText(1, L"値 (bytes)"), 0);
    EXPECT_EQ(list.Clear(), 0);
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.DeleteColumn(0), -1) << "no column left";
}

TEST_F(CommonControlsTest, ListViewDeletesAdjacentSelectedRowsWithoutSkipping) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_DEVICE_SELECTION, nullptr), 0);
    ListView list(dialog.GetHandle(), IDC_DEVICE_LIST);
    SetWindowLongPtrW(list.GetHandle(), GWL_STYLE, list.GetStyle() & ~LVS_SINGLESEL);
    list.InsertColumn(0, L"デバイス", 300);
    for (int i = 0; i < 6; ++i) list.InsertItem(i, std::to_wstring(i).c_str(), i);
    for (int i : {1, 2, 3, 5}) EXPECT_EQ(list.SetSelected(i, true), 0);
    EXPECT_TRUE(list.IsSelected(2));
    EXPECT_FALSE(list.IsSelected(4));

    EXPECT_EQ(list.DeleteSelectedItems(), 0);

    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemData(0), 0);
    EXPECT_EQ(list.GetItemData(1), 4);
}

TEST_F(CommonControlsTest, ListViewCheckBoxesHoldTheirState) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_DEVICE_SELECTION, nullptr), 0);
    ListView list(dialog.GetHandle(), IDC_DEVICE_LIST);
    list.SetExtendedStyle(0x25, 0x25);
    list.InsertColumn(0, L"デバイス", 300);
    list.InsertItem(0, L"a", 0);
    list.InsertItem(1, L"b", 1);
    EXPECT_EQ(list.SetCheckState(0, true), 0);
    EXPECT_EQ(list.SetCheckState(1, false), 0);
    EXPECT_TRUE(list.GetCheckState(0));
    EXPECT_FALSE(list.GetCheckState(1));
    list.SetCheckState(0, false);
    EXPECT_FALSE(list.GetCheckState(0));
}

TEST_F(CommonControlsTest, TreeViewFindsTheFirstMatchInPreOrderAndSelectsIt) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_MAIN_FRAME, nullptr), 0);
    TreeView tree(dialog.GetHandle(), IDC_DEVICE_TREE);
    // root(0)
    //   disks(1) -> ata(7) -> tests(9)
    //            -> scsi(8)
    //   cds(2)   -> drive(9)
    HTREEITEM root = tree.InsertItem(L"ストレージ デバイス", 0, TVI_ROOT);
    HTREEITEM disks = tree.InsertItem(L"ディスク", 1, root);
    HTREEITEM ata = tree.InsertItem(L"ATA", 7, disks);
    HTREEITEM deep = tree.InsertItem(L"テスト", 9, ata);
    HTREEITEM scsi = tree.InsertItem(L"SCSI", 8, disks);
    HTREEITEM cds = tree.InsertItem(L"CD-ROM", 2, root, TVI_LAST);
    HTREEITEM drive = tree.InsertItem(L"ドライブ", 9, cds);
    ASSERT_NE(drive, nullptr);

    EXPECT_EQ(tree.GetRoot(), root);
    EXPECT_EQ(tree.GetChild(root), disks);
    EXPECT_EQ(tree.GetNextSibling(disks), cds);
    EXPECT_EQ(tree.GetParentItem(scsi), disks);
    EXPECT_EQ(tree.GetItemData(scsi), 8);
    EXPECT_EQ(tree.GetItemText(ata), L"ATA");

    EXPECT_EQ(tree.FindItemByData(9, false), deep) << "children before the next sibling";
    EXPECT_EQ(tree.GetSelection(), nullptr);
    EXPECT_EQ(tree.FindItemByData(2, true), cds);
    EXPECT_EQ(tree.GetSelection(), cds);
    EXPECT_EQ(tree.FindItemByData(9, false, cds), drive) << "from a given item on";
    EXPECT_EQ(tree.FindItemByData(99, true), nullptr);
    EXPECT_EQ(tree.GetSelection(), cds);
    EXPECT_EQ(tree.FindItemByText(L"SCSI", true), scsi);
    EXPECT_EQ(tree.FindItemByText(L"scsi", false), nullptr) << "case-sensitive";

    const std::wstring longText(600, L'x');
    HTREEITEM longItem = tree.InsertItem(longText.c_str(), 3, root);
    EXPECT_EQ(tree.GetItemText(longItem), longText);
    EXPECT_EQ(tree.Expand(root, TVE_EXPAND), 0);

    EXPECT_EQ(tree.DeleteAllItems(), 0);
    EXPECT_EQ(tree.GetRoot(), nullptr);
}

TEST_F(CommonControlsTest, ProgressBarRangesAndSteps) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_TRANSFER_TEST, nullptr), 0);
    ProgressBar progress(dialog.GetHandle(), IDC_TEST_PROGRESS);
    progress.SetRange(0, 1000);
    int low = -1, high = -1;
    progress.GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1000);
    EXPECT_EQ(progress.SetPos(500), 0) << "the previous position";
    EXPECT_EQ(progress.GetPos(), 500);
    progress.DeltaPos(25);
    EXPECT_EQ(progress.GetPos(), 525);
    progress.SetStep(100);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 625);
    progress.SetRange32(0, 100000);
    progress.GetRange(low, high);
    EXPECT_EQ(high, 100000);
}

TEST_F(CommonControlsTest, UpDownRangesAndPositions) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_TRANSFER_OPTIONS, nullptr), 0);
    UpDownControl spin(dialog.GetHandle(), IDC_TRANSFER_SIZE_SPIN);
    spin.SetRange(1, 256);
    int upper = 0, lower = 0;
    EXPECT_EQ(spin.GetRange(upper, lower), 1);
    EXPECT_EQ(upper, 256);
    EXPECT_EQ(lower, 1);
    spin.SetPos(1);
    EXPECT_EQ(spin.GetPos(), 1);
    wchar_t buddy[16] = {};
    GetDlgItemTextW(dialog.GetHandle(), IDC_TRANSFER_SIZE, buddy, 16);
    EXPECT_STREQ(buddy, L"1") << "the spin writes its edit";

    UpDownControl interval(dialog.GetHandle(), IDC_RANGE_END_SPIN);
    interval.SetRange32(10, 100000);
    interval.SetPos32(70000);
    EXPECT_EQ(interval.GetPos32(), 70000);
    interval.GetRange32(upper, lower);
    EXPECT_EQ(upper, 100000);
    EXPECT_EQ(lower, 10);
}

TEST_F(CommonControlsTest, RadioGroupChecksOneButtonAndReportsIt) {
    ProbeDialog dialog;
    ASSERT_EQ(dialog.Create(module, IDD_TRANSFER_OPTIONS, nullptr), 0);
    RadioGroup range(dialog.GetHandle(), IDC_RANGE_FULL, IDC_RANGE_CUSTOM);
    EXPECT_EQ(range.GetChecked(), -1);
    EXPECT_EQ(range.Check(4), 0);
    EXPECT_EQ(range.GetChecked(), 4);
    EXPECT_EQ(range.Check(0), 0);
    EXPECT_EQ(range.GetChecked(), 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog.GetHandle(), IDC_RANGE_CUSTOM), static_cast<UINT>(BST_UNCHECKED));

    EXPECT_EQ(range.EnableAll(false), 0);
    for (int id = IDC_RANGE_FULL; id <= IDC_RANGE_CUSTOM; ++id) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.GetHandle(), id))) << id;
    }
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.GetHandle(), IDC_TRANSFER_OK)));
    range.EnableAll(true);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog.GetHandle(), IDC_RANGE_INNER)));
}

}  // namespace
}  // namespace sektra::test
