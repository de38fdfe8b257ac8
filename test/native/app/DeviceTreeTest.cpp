#include "app/DeviceTree.h"

#include <gtest/gtest.h>

#include <sstream>

#include "native/app/OpenedDemoSet.h"
#include "native/app/FakeTexts.h"

namespace sektra {
namespace {

const FakeTexts texts;

std::vector<ItemCode> ChildCodes(const TreeNode& node) {
    std::vector<ItemCode> codes;
    for (const TreeNode& child : node.children) codes.push_back(child.code);
    return codes;
}

const TreeNode& Child(const TreeNode& node, ItemCode code) {
    const TreeNode* found = nullptr;
    for (const TreeNode& child : node.children) {
        if (child.code == code) found = &child;
    }
    if (found == nullptr) {
        ADD_FAILURE() << "no child " << std::hex << code;
        static const TreeNode none;
        return none;
    }
    return *found;
}

TEST(DeviceTree, GroupsFoldersAndDevicesOfTheDemoSet) {
    OpenedDemoSet demo;
    const TreeNode root = BuildDeviceTree(demo.Lists(), texts, nullptr);
    EXPECT_EQ(root.text, L"S4");
    EXPECT_EQ(root.code, 0u);
    EXPECT_EQ(ChildCodes(root), (std::vector<ItemCode>{0x10000000, 0x20000000, 0x30000000}));
    EXPECT_EQ(root.children[0].text, L"S5");
    EXPECT_EQ(root.children[1].text, L"S6");
    EXPECT_EQ(root.children[2].text, L"S112");

    // Bus folders in order of first appearance; the second SCSI disk joins the first's folder.
    const TreeNode& disks = root.children[0];
    EXPECT_EQ(ChildCodes(disks), (std::vector<ItemCode>{0x13FF0000, 0x11FF0000, 0x17FF0000, 0x1BFF0000, 0x1FFF0011}));
    EXPECT_EQ(disks.children[0].text, L"ATA");
    EXPECT_EQ(disks.children[1].text, L"SCSI");
    EXPECT_EQ(disks.children[2].text, L"USB");
    EXPECT_EQ(disks.children[3].text, L"SATA");
    EXPECT_EQ(disks.children[4].text, L"NVMe");
    EXPECT_EQ(ChildCodes(disks.children[0]), (std::vector<ItemCode>{0x13000000}));
    EXPECT_EQ(ChildCodes(disks.children[1]), (std::vector<ItemCode>{0x11010000, 0x11030000, 0x11040000, 0x11050000, 0x11060000, 0x11070000}));
    EXPECT_EQ(ChildCodes(disks.children[2]), (std::vector<ItemCode>{0x17020000}));
    EXPECT_EQ(ChildCodes(disks.children[3]), (std::vector<ItemCode>{0x1B080000}));
    EXPECT_EQ(ChildCodes(disks.children[4]), (std::vector<ItemCode>{0x1F090000}));
    EXPECT_EQ(disks.children[3].children[0].text, L"SEKTRA DEMO SATA SSD 256GB (SDEMO100)");
    EXPECT_EQ(disks.children[4].children[0].text, L"SEKTRA DEMO NVME SSD 512GB (N100DEMO)");
    // ATA models span vendor and product; others are vendor, blank, product.
    EXPECT_EQ(disks.children[0].children[0].text, L"SEKTRA DEMO HDD ATA 2GB (D100)");
    EXPECT_EQ(disks.children[1].children[0].text, L"SEKTRA DEMO SCSI DISK (S200)");

    const TreeNode& cdRoms = root.children[1];
    EXPECT_EQ(ChildCodes(cdRoms), (std::vector<ItemCode>{0x22FF0000}));
    EXPECT_EQ(cdRoms.children[0].text, L"ATAPI");
    EXPECT_EQ(ChildCodes(cdRoms.children[0]), (std::vector<ItemCode>{0x22000000}));
    EXPECT_EQ(ChildCodes(root.children[2]), (std::vector<ItemCode>{0x31FF0000}));
}

// SMART attributes under the SATA disk that answers them (not under the ATA disk, which
// does not); identify data and health log under the NVMe disk. Both before the tests.
TEST(DeviceTree, HealthNodesOfSataAndNvmeDisks) {
    OpenedDemoSet demo;
    const TreeNode root = BuildDeviceTree(demo.Lists(), texts, nullptr);
    const TreeNode* sata = FindTreeNode(root, 0x1B080000);
    ASSERT_NE(sata, nullptr);
    EXPECT_EQ(ChildCodes(*sata), (std::vector<ItemCode>{0x1B082000, 0x1B083000, 0x1B084000, 0x1B086000, 0x1B081000}));
    EXPECT_EQ(ChildCodes(Child(*sata, 0x1B086000)), (std::vector<ItemCode>{0x1B086100}));
    EXPECT_EQ(Child(*sata, 0x1B086000).text, L"S980");
    EXPECT_NE(FindTreeNode(root, 0x1B082300), nullptr);  // its IDENTIFY
    const TreeNode* nvme = FindTreeNode(root, 0x1F090000);
    ASSERT_NE(nvme, nullptr);
    EXPECT_EQ(ChildCodes(*nvme), (std::vector<ItemCode>{0x1F092000, 0x1F094000, 0x1F097000, 0x1F091000}));
    EXPECT_EQ(ChildCodes(Child(*nvme, 0x1F097000)), (std::vector<ItemCode>{0x1F097100, 0x1F097200, 0x1F097300}));
    EXPECT_EQ(FindTreeNode(root, 0x13006000), nullptr);
}

TEST(DeviceTree, SeekRowSaysAccessTimeWhereSeekCannotReachEveryBlock) {
    OpenedDemoSet demo;
    const TreeNode root = BuildDeviceTree(demo.Lists(), texts, nullptr);
    const struct {
        ItemCode row;
        const wchar_t* text;
    } cases[] = {
        {0x13001400, L"S25"},   // ATA disk: SEEK(10)
        {0x17021400, L"S116"},  // USB flash disk: refuses SEEK(10)
        {0x11031400, L"S116"},  // 4 TiB disk: 2^33 blocks
        {0x11041400, L"S116"},  // 12 TB disk
        {0x11051400, L"S25"},   // 4096-byte blocks, 2^20 of them
        {0x22001400, L"S25"},   // CD-ROM
    };
    for (const auto& c : cases) {
        const TreeNode* row = FindTreeNode(root, c.row);
        ASSERT_NE(row, nullptr) << std::hex << c.row;
        EXPECT_EQ(row->text, c.text) << std::hex << c.row;
    }
}

// What each demo device answers, as the tree shows it.
struct DeviceCase {
    ItemCode d;
    std::vector<ItemCode> inquiry;  // children of the INQUIRY node
    std::vector<ItemCode> categories;
    std::vector<ItemCode> tests;
    std::size_t sizes;              // size children of a transfer test, the other-size entry included
};

TEST(DeviceTree, CategoriesAndTestsOfEveryDemoDevice) {
    OpenedDemoSet demo;
    const TreeNode root = BuildDeviceTree(demo.Lists(), texts, nullptr);
    const DeviceCase cases[] = {
        // ATA disk: VPD 00h/80h, IDENTIFY, caching page (3Fh answers too), SEEK, 128 KB limit
        {0x13000000, {0x13002100, 0x13002200, 0x13002280, 0x13002300}, {0x13002000, 0x13004000, 0x13001000},
         {0x13001500, 0x13001600, 0x13001700, 0x13001800, 0x13001300, 0x13001400}, 9},
        // SCSI disk: everything, drive buffer, 1 MB limit
        {0x11010000, {0x11012100, 0x11012200, 0x11012280, 0x11012283, 0x110122B0, 0x110122B1, 0x110122B2},
         {0x11012000, 0x11013000, 0x11014000, 0x11015000, 0x11011000},
         {0x11011500, 0x11011600, 0x11011700, 0x11011800, 0x11011900, 0x11011A00, 0x11011300, 0x11011400}, 12},
        // USB flash: refuses SEEK(10), so its seek row measures access time; 64 KB limit
        {0x17020000, {0x17022100, 0x17022200, 0x17022280}, {0x17022000, 0x17024000, 0x17021000},
         {0x17021500, 0x17021600, 0x17021700, 0x17021800, 0x17021300, 0x17021400}, 8},
        // 4 TB disk
        {0x11030000, {0x11032100, 0x11032200, 0x11032280, 0x11032283}, {0x11032000, 0x11033000, 0x11034000, 0x11031000},
         {0x11031500, 0x11031600, 0x11031700, 0x11031800, 0x11031300, 0x11031400}, 12},
        // ATAPI CD-ROM: no VPD pages, IDENTIFY PACKET, no write tests, 2048-byte blocks from one block
        {0x22000000, {0x22002100, 0x22002300}, {0x22002000, 0x22004000, 0x22001000},
         {0x22001500, 0x22001700, 0x22001300, 0x22001400}, 7},
        // medium changer: no medium, so no sizes and no SEEK
        {0x31000000, {0x31002100, 0x31002200, 0x31002280}, {0x31002000, 0x31001000},
         {0x31001500, 0x31001600, 0x31001700, 0x31001800, 0x31001300}, 0},
    };
    for (const DeviceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.d);
        const TreeNode* device = FindTreeNode(root, c.d);
        ASSERT_NE(device, nullptr);
        EXPECT_EQ(ChildCodes(*device), c.categories);
        EXPECT_EQ(ChildCodes(Child(*device, c.d | 0x2000)), c.inquiry);
        const TreeNode& tests = Child(*device, c.d | 0x1000);
        EXPECT_EQ(ChildCodes(tests), c.tests);
        for (const TreeNode& test : tests.children) {
            const bool transfer = ItemTest(test.code) >= 0x1500 && ItemTest(test.code) <= 0x1800;
            EXPECT_EQ(test.children.size(), transfer ? c.sizes : 0u) << std::hex << test.code;
        }
    }
}

TEST(DeviceTree, PagesAndDefectListsOfTheScsiDisk) {
    OpenedDemoSet demo;
    const TreeNode root = BuildDeviceTree(demo.Lists(), texts, nullptr);
    const TreeNode* disk = FindTreeNode(root, 0x11010000);
    ASSERT_NE(disk, nullptr);
    const TreeNode& log = Child(*disk, 0x11013000);
    EXPECT_EQ(log.text, L"S10");
    EXPECT_EQ(ChildCodes(log), (std::vector<ItemCode>{0x11013100, 0x11013102, 0x11013103, 0x11013105, 0x1101310D,
                                                      0x1101310E, 0x11013110, 0x11013111, 0x11013115, 0x1101312F}));
    EXPECT_EQ(log.children[4].text, L"Log 0Dh");
    const TreeNode& mode = Child(*disk, 0x11014000);
    // The pages of the all-pages reply; 3Fh is the request, not a page.
    EXPECT_EQ(ChildCodes(mode), (std::vector<ItemCode>{0x11014101, 0x11014108, 0x1101410A, 0x1101411C}));
    EXPECT_EQ(mode.children[1].text, L"Mode 08h");
    const TreeNode& defects = Child(*disk, 0x11015000);
    EXPECT_EQ(ChildCodes(defects), (std::vector<ItemCode>{0x11015100, 0x11015200}));
    EXPECT_EQ(Child(*disk, 0x11012000).children[2].text, L"VPD 80h");
}

TEST(DeviceTree, SizeChildrenByBlockLength) {
    OpenedDemoSet demo;
    const TreeNode root = BuildDeviceTree(demo.Lists(), texts, nullptr);
    // 512-byte blocks start at 1 KB (2 blocks, choice 11h); the ATA disk's 128 KB limit ends at 256 blocks.
    const TreeNode* ata = FindTreeNode(root, 0x13001700);
    ASSERT_NE(ata, nullptr);
    std::wostringstream texts512;
    for (const TreeNode& size : ata->children) texts512 << size.text << L"=" << std::hex << (size.code & 0xFF) << L" ";
    EXPECT_EQ(texts512.str(), L"1 KB=11 2 KB=12 4 KB=13 8 KB=14 16 KB=15 32 KB=16 64 KB=17 128 KB=18 S29=1f ");
    // 2048-byte blocks start at 2 KB (one block, choice 10h); the 64 KB limit ends at 32 blocks.
    const TreeNode* cd = FindTreeNode(root, 0x22001500);
    ASSERT_NE(cd, nullptr);
    std::wostringstream texts2048;
    for (const TreeNode& size : cd->children) texts2048 << size.text << L"=" << std::hex << (size.code & 0xFF) << L" ";
    EXPECT_EQ(texts2048.str(), L"2 KB=10 4 KB=11 8 KB=12 16 KB=13 32 KB=14 64 KB=15 S29=1f ");
}

TEST(DeviceTree, NoDevicesGiveTheRootAlone) {
    const TreeNode root = BuildDeviceTree(DeviceLists{}, texts, nullptr);
    EXPECT_EQ(root.text, L"S4");
    EXPECT_TRUE(root.children.empty());
}

class RecordingProgress : public ScanProgress {
public:
    void SetMainText(const std::wstring& text) override { lines.push_back(L"main " + text); }
    void SetDetailText(const std::wstring& text) override { lines.push_back(L"detail " + text); }
    std::vector<std::wstring> lines;
};

TEST(DeviceTree, TellsTheWaitNoticeWhatItExamines) {
    OpenedDemoSet demo;
    DeviceLists lists;
    lists.cdRoms.push_back(demo.cdRoms[0].get());
    RecordingProgress progress;
    BuildDeviceTree(lists, texts, &progress);
    EXPECT_EQ(progress.lines, (std::vector<std::wstring>{L"main SEKTRA DEMO CD-ROM ATAPI (C1.0)", L"detail S7",
                                                         L"detail S10", L"detail S12", L"detail S14", L"detail S17"}));
}

TEST(DeviceTree, BrowsingNeverWrites) {
    OpenedDemoSet demo;
    BuildDeviceTree(demo.Lists(), texts, nullptr);
    for (int cls : {kDiskInterfaceClass, kCdRomInterfaceClass, kMediumChangerInterfaceClass}) {
        for (std::uint32_t i = 0; i < demo.port->DeviceCount(cls); ++i) {
            EXPECT_FALSE(demo.port->GetDevice(cls, i)->Log().AnyWriteSent()) << cls << " " << i;
        }
    }
}

}  // namespace
}  // namespace sektra

namespace sektra {
namespace {

TEST(DeviceTree, EveryBusTypeHasItsOwnFolderAndSataItsIdentification) {
    EmulatedPort port;
    DeviceConfig sata = TestDisk();
    sata.busType = 11;
    sata.ataModel = "SEKTRA SATA DEMO DISK WITH A FORTY-CHAR M";  // cut to 40 by the drive
    sata.ataFirmware = "SF012345";
    DeviceConfig fileBacked = TestDisk();
    fileBacked.busType = 15;
    DeviceConfig nvme = TestDisk();
    nvme.busType = 17;
    for (const DeviceConfig& c : {sata, fileBacked, nvme, nvme}) port.AddDevice(kDiskInterfaceClass, c);
    auto disks = EnumerateDevices(kDiskInterfaceClass, &port);
    DeviceLists lists;
    for (const auto& d : disks) lists.disks.push_back(d.get());
    const TreeNode root = BuildDeviceTree(lists, FakeTexts(), nullptr);
    const TreeNode& group = root.children.at(0);
    // NVMe (17) travels as 15 in device codes, yet never joins the File Backed Virtual folder.
    EXPECT_EQ(ChildCodes(group), (std::vector<ItemCode>{0x1BFF0000, 0x1FFF0000, 0x1FFF0011}));
    ASSERT_EQ(group.children.size(), 3u);
    EXPECT_EQ(group.children[0].text, L"SATA");
    EXPECT_EQ(group.children[1].text, L"File Backed Virtual");
    EXPECT_EQ(group.children[2].text, L"NVMe");
    EXPECT_EQ(ChildCodes(group.children[1]), (std::vector<ItemCode>{0x1F010000}));
    EXPECT_EQ(ChildCodes(group.children[2]), (std::vector<ItemCode>{0x1F020000, 0x1F030000}));
    // The SATA disk is named from IDENTIFY: the whole model and the 8-character firmware.
    EXPECT_EQ(group.children[0].children.at(0).text, L"SEKTRA SATA DEMO DISK WITH A FORTY-CHAR (SF012345)");
    EXPECT_NE(FindTreeNode(root, 0x1B002300), nullptr);  // SATA answers IDENTIFY DEVICE
    EXPECT_EQ(FindTreeNode(root, 0x1F022300), nullptr);
    EXPECT_NE(FindTreeNode(root, 0x1F021500), nullptr);  // and NVMe disks offer their tests
}

}  // namespace
}  // namespace sektra
