// The device browser over a real target's units: the tree files them under the iSCSI bus in
// their classes, the summary shows capacities worked out by hand, and every leaf the tree
// offers shows rows.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/DeviceDetails.h"
#include "app/DeviceTree.h"
#include "device/DeviceEnumeration.h"
#include "device/iscsi/IscsiDevicePort.h"
#include "native/app/FakeTexts.h"
#include "native/iscsi/TargetUnits.h"

namespace sektra {
namespace {

const FakeTexts texts;

// Every unit the fixture serves, opened the way the Document opens its lists.
class TargetSet : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"DISK512", "DISK4K", "BIG", "READONLY", "CDROM", "CHANGER"}) {
            const std::string url = test::UnitUrl(name);
            if (url.empty()) GTEST_SKIP() << "no " << name << " unit: run this program under scripts/tgt-fixture.sh";
            urls.push_back(url);
        }
        port = std::make_unique<IscsiDevicePort>(urls);
        disks = EnumerateDevices(kDiskInterfaceClass, port.get());
        cdRoms = EnumerateDevices(kCdRomInterfaceClass, port.get());
        changers = EnumerateDevices(kMediumChangerInterfaceClass, port.get());
    }
    DeviceLists Lists() const {
        DeviceLists lists;
        for (const auto& d : disks) lists.disks.push_back(d.get());
        for (const auto& d : cdRoms) lists.cdRoms.push_back(d.get());
        for (const auto& d : changers) lists.changers.push_back(d.get());
        return lists;
    }

    std::vector<std::string> urls;
    std::unique_ptr<IscsiDevicePort> port;
    std::vector<std::unique_ptr<Device>> disks, cdRoms, changers;
};

std::vector<ItemCode> ChildCodes(const TreeNode& node) {
    std::vector<ItemCode> codes;
    for (const TreeNode& child : node.children) codes.push_back(child.code);
    return codes;
}

TEST_F(TargetSet, UnitsAreFiledByClassUnderTheIscsiBus) {
    ASSERT_EQ(disks.size(), 4u) << port->LastError();
    ASSERT_EQ(cdRoms.size(), 1u) << port->LastError();
    ASSERT_EQ(changers.size(), 1u) << port->LastError();
    const TreeNode root = BuildDeviceTree(Lists(), texts, nullptr);
    ASSERT_EQ(ChildCodes(root), (std::vector<ItemCode>{0x10000000, 0x20000000, 0x30000000}));
    // Bus type 9 in bits 24-27; one folder per group.
    EXPECT_EQ(ChildCodes(root.children[0]), (std::vector<ItemCode>{0x19FF0000}));
    EXPECT_EQ(root.children[0].children[0].text, L"iSCSI");
    EXPECT_EQ(ChildCodes(root.children[0].children[0]),
              (std::vector<ItemCode>{0x19000000, 0x19010000, 0x19020000, 0x19030000}));
    EXPECT_EQ(ChildCodes(root.children[1]), (std::vector<ItemCode>{0x29FF0000}));
    EXPECT_EQ(ChildCodes(root.children[1].children[0]), (std::vector<ItemCode>{0x29000000}));
    EXPECT_EQ(ChildCodes(root.children[2]), (std::vector<ItemCode>{0x39FF0000}));
    EXPECT_EQ(root.children[0].children[0].children[0].text, L"IET VIRTUAL-DISK (0001)");
}

TEST_F(TargetSet, SummariesShowTheCapacitiesOfTheBackingFiles) {
    ASSERT_EQ(disks.size(), 4u) << port->LastError();
    ASSERT_EQ(cdRoms.size(), 1u) << port->LastError();
    struct stat iso = {};
    ASSERT_EQ(::stat(test::UnitFile("CDROM").c_str(), &iso), 0);
    const std::uint64_t isoBlocks = static_cast<std::uint64_t>(iso.st_size) / 2048;
    struct Case {
        Device* device;
        ItemCode code;
        std::vector<std::wstring> values;
    } const cases[] = {
        // 8 MiB: 16,384 blocks of 512 bytes = 8,388,608 bytes = 8.4 MB = 8 MiB
        {disks[0].get(), 0x19000000,
         {L"IET VIRTUAL-DISK", L"0001", L"16384", L"512", L"8388608", L"8 MB", L"8 MB", L"0 GB", L"0 GB"}},
        // the same 8 MiB in 2,048 blocks of 4096 bytes
        {disks[1].get(), 0x19010000,
         {L"IET VIRTUAL-DISK", L"0001", L"2048", L"4096", L"8388608", L"8 MB", L"8 MB", L"0 GB", L"0 GB"}},
        // 4 MiB
        {disks[3].get(), 0x19030000,
         {L"IET VIRTUAL-DISK", L"0001", L"8192", L"512", L"4194304", L"4 MB", L"4 MB", L"0 GB", L"0 GB"}},
        {cdRoms[0].get(), 0x29000000,
         {L"IET VIRTUAL-CDROM", L"0001", std::to_wstring(isoBlocks), L"2048", std::to_wstring(isoBlocks * 2048),
          std::to_wstring(isoBlocks * 2048 / 1000000) + L" MB", std::to_wstring(isoBlocks * 2048 >> 20) + L" MB",
          L"0 GB", L"0 GB"}},
    };
    // The capacity rows come first; the first-read fields that the target answers follow.
    for (const Case& c : cases) {
        const DetailRows rows = DescribeNode(*c.device, c.code, texts);
        std::vector<std::wstring> values;
        for (std::size_t i = 0; i < rows.size() && i < 9; ++i) values.push_back(rows[i].value);
        EXPECT_EQ(values, c.values) << std::hex << c.code;
    }
    // tgtd's serial numbers are its own ("beaf" and the target and unit numbers), blank-padded
    // in front; the summary shows them without the padding.
    const DetailRows first = DescribeNode(*disks[0], 0x19000000, texts);
    ASSERT_GT(first.size(), 9u);
    EXPECT_EQ(first[9].label, L"S901");
    EXPECT_EQ(first[9].value, L"beaf11");
}

TEST_F(TargetSet, TheSummaryOfAUnitBeyond2TiBShowsItsWholeCapacity) {
    ASSERT_EQ(disks.size(), 4u) << port->LastError();
    // 3 TiB = 3,298,534,883,328 bytes in 6,442,450,944 blocks of 512 bytes
    const DetailRows rows = DescribeNode(*disks[2], 0x19020000, texts);
    std::vector<std::wstring> values;
    for (std::size_t i = 0; i < rows.size() && i < 9; ++i) values.push_back(rows[i].value);
    EXPECT_EQ(values, (std::vector<std::wstring>{L"IET VIRTUAL-DISK", L"0001", L"6442450944", L"512",
                                                 L"3298534883328", L"3298534 MB", L"3145728 MB", L"3298 GB",
                                                 L"3072 GB"}));
}

TEST_F(TargetSet, EveryLeafTheTreeOffersShowsRows) {
    const TreeNode root = BuildDeviceTree(Lists(), texts, nullptr);
    std::vector<Device*> byIndex[4];
    for (const auto& d : disks) byIndex[1].push_back(d.get());
    for (const auto& d : cdRoms) byIndex[2].push_back(d.get());
    for (const auto& d : changers) byIndex[3].push_back(d.get());
    std::size_t leaves = 0;
    std::function<void(const TreeNode&)> visit = [&](const TreeNode& node) {
        for (const TreeNode& child : node.children) visit(child);
        const std::uint32_t group = ItemGroupOf(node.code);
        const std::uint32_t index = ItemDeviceIndex(node.code);
        if (!node.children.empty() || group == 0 || index == kNoDeviceIndex) return;
        ASSERT_LT(index, byIndex[group].size());
        ++leaves;
        EXPECT_FALSE(DescribeNode(*byIndex[group][index], node.code, texts).empty()) << std::hex << node.code;
    };
    visit(root);
    EXPECT_GT(leaves, 20u);
}

}  // namespace
}  // namespace sektra
