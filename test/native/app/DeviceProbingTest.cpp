// What building the tree asks a device: pages only from the device's own lists, page by page
// only when a device that knows the command refuses its list, and no long command on a short
// time-out.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <set>

#include "app/DeviceTree.h"
#include "device/DeviceEnumeration.h"
#include "emulator/DemoSet.h"
#include "native/app/FakeTexts.h"
#include "native/device/ScriptedPort.h"

namespace sektra {
namespace {

const FakeTexts texts;

// Passes every request on to the emulated devices and keeps the pass-through requests as they
// left the Device: command block, data length and time-out, with the device they went to.
class RecordingPort : public DevicePort {
public:
    struct Sent {
        const DeviceConfig* config;
        std::array<std::uint8_t, 16> cdb;
        std::uint32_t length;
        std::uint32_t timeOut;
    };

    explicit RecordingPort(EmulatedPort& inner) : inner_(inner) {}

    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override {
        const PortHandle handle = inner_.Open(interfaceClass, memberIndex);
        if (handle != kInvalidPortHandle) configs_[handle] = &inner_.GetDevice(interfaceClass, memberIndex)->Config();
        return handle;
    }
    bool Control(PortHandle handle, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned) override {
        if (code == kIoctlScsiPassThroughDirect && inSize >= sizeof(ScsiPassThroughDirect)) {
            ScsiPassThroughDirect sptd;
            std::memcpy(&sptd, in, sizeof(sptd));
            Sent s{configs_[handle], {}, sptd.DataTransferLength, sptd.TimeOutValue};
            std::copy(sptd.Cdb, sptd.Cdb + 16, s.cdb.begin());
            sent.push_back(s);
        }
        return inner_.Control(handle, code, in, inSize, out, outSize, returned);
    }
    void Close(PortHandle handle) override { inner_.Close(handle); }

    std::vector<Sent> sent;

private:
    EmulatedPort& inner_;
    std::map<PortHandle, const DeviceConfig*> configs_;
};

std::set<std::uint8_t> With(std::uint8_t page, const std::vector<std::uint8_t>& pages) {
    std::set<std::uint8_t> all(pages.begin(), pages.end());
    all.insert(page);
    return all;
}

TEST(DeviceProbing, TheWholeDemoSetIsAskedOnlyForListedPages) {
    const auto emulated = MakeDemoPort(TimeMode::Zero);
    RecordingPort port(*emulated);
    std::vector<std::unique_ptr<Device>> devices;
    DeviceLists lists;
    for (int cls : {kDiskInterfaceClass, kCdRomInterfaceClass, kMediumChangerInterfaceClass}) {
        for (auto& d : EnumerateDevices(cls, &port)) {
            (cls == kDiskInterfaceClass ? lists.disks : cls == kCdRomInterfaceClass ? lists.cdRoms : lists.changers).push_back(d.get());
            devices.push_back(std::move(d));
        }
    }
    BuildDeviceTree(lists, texts, nullptr);

    constexpr std::uint8_t kMediumCommands[] = {0x04, 0x28, 0x2A, 0x2B, 0x2E, 0x2F, 0x35, 0x88, 0x8A};
    std::map<const DeviceConfig*, std::set<std::uint8_t>> vpd, log, mode;
    for (const RecordingPort::Sent& s : port.sent) {
        const std::uint8_t op = s.cdb[0];
        SCOPED_TRACE(testing::Message() << s.config->product << " opcode " << std::hex << int{op});
        if (op == 0x12 && (s.cdb[1] & 0x01)) vpd[s.config].insert(s.cdb[2]);
        if (op == 0x4D) {
            EXPECT_EQ(s.cdb[2] >> 6, 1);  // current cumulative values
            log[s.config].insert(s.cdb[2] & 0x3F);
        }
        if (op == 0x5A) mode[s.config].insert(s.cdb[2] & 0x3F);
        EXPECT_FALSE(op == 0x25 && (s.cdb[1] & 0x02));  // never the reserved long-form bit
        if (s.timeOut < 30) {
            EXPECT_LE(s.length, 65536u);
            EXPECT_EQ(std::count(std::begin(kMediumCommands), std::end(kMediumCommands), op), 0);
        }
    }
    for (const auto& [config, pages] : vpd) {
        const auto listed = With(0x00, config->vpdPages);
        EXPECT_TRUE(std::includes(listed.begin(), listed.end(), pages.begin(), pages.end())) << config->product;
    }
    for (const auto& [config, pages] : log) {
        const auto listed = With(0x00, config->logPages);
        EXPECT_TRUE(std::includes(listed.begin(), listed.end(), pages.begin(), pages.end())) << config->product;
    }
    for (const auto& [config, pages] : mode) {
        const auto listed = With(0x3F, config->modePages);
        EXPECT_TRUE(std::includes(listed.begin(), listed.end(), pages.begin(), pages.end())) << config->product;
    }
    // The SCSI disk lists everything; each of its pages was asked.
    const DeviceConfig& scsi = emulated->GetDevice(kDiskInterfaceClass, 1)->Config();
    EXPECT_EQ(vpd[&scsi], (std::set<std::uint8_t>{0x00, 0x80, 0x83, 0xB0, 0xB1, 0xB2}));
    EXPECT_EQ(log[&scsi], (std::set<std::uint8_t>{0x00, 0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F}));
    EXPECT_EQ(mode[&scsi], (std::set<std::uint8_t>{0x01, 0x08, 0x0A, 0x1C, 0x3F}));
}

// One device behind a ScriptedPort; `script` sets its replies.
template <typename Script>
TreeNode TreeOfScriptedDevice(test::ScriptedPort& port, Script script) {
    port.members[0] = {true};
    script(port);
    Device device(&port);
    EXPECT_EQ(0, device.Open(0, 0));
    DeviceLists lists;
    lists.disks.push_back(&device);
    return BuildDeviceTree(lists, texts, nullptr);
}

std::size_t Count(const test::ScriptedPort& port, std::uint8_t opcode, bool evpdOnly = false) {
    std::size_t n = 0;
    for (const test::Call* call : port.CallsWithOpcode(opcode)) n += !evpdOnly || (call->Request().sptd.Cdb[1] & 1);
    return n;
}

TEST(DeviceProbing, ARefusedListIsWalkedOnlyWhenTheDeviceKnowsTheCommand) {
    using test::CheckCondition;
    using test::Data;
    using test::Failure;
    using test::Reply;
    const Reply busy{true, {}, {}, 0x08};
    struct Case {
        const char* what;
        std::uint8_t opcode;
        Reply list;
        std::size_t commands;  // of that opcode (INQUIRY: with EVPD)
        ItemCode node;         // the category node, 0 when there is none
    } const cases[] = {
        {"log list refused: pages 1 to 63", 0x4D, CheckCondition(5, 0x24, 0), 64, 0x3000},
        {"no LOG SENSE at all", 0x4D, CheckCondition(5, 0x20, 0), 1, 0},
        {"log list control call failed", 0x4D, Failure(), 1, 0},
        {"all-pages MODE SENSE refused: pages 0 to 62", 0x5A, CheckCondition(5, 0x24, 0), 64, 0x4000},
        {"no MODE SENSE at all", 0x5A, CheckCondition(5, 0x20, 0), 1, 0},
        // Every device has INQUIRY: ILLEGAL REQUEST for page 00h means no VPD pages at all.
        {"VPD list refused", 0x12, CheckCondition(5, 0x24, 0), 1, 0x2000},
        {"VPD list answered BUSY: pages 0 to 255", 0x12, busy, 257, 0x2000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ScriptedPort port;
        const TreeNode root = TreeOfScriptedDevice(port, [&c](test::ScriptedPort& p) {
            if (c.opcode == 0x12) p.OnCommand(0x12, test::InquiryData(0, "SEKTRA  ", "SCRIPTED DISK   ", "1.00"));
            p.OnCommand(c.opcode, c.list);
            p.OnCommand(c.opcode, Data({0x00, 0x01, 0x00, 0x00}));  // every single page answers
        });
        EXPECT_EQ(Count(port, c.opcode, c.opcode == 0x12), c.commands);
        const TreeNode* node = c.node != 0 ? FindTreeNode(root, 0x10000000 | c.node) : nullptr;
        if (c.node != 0) ASSERT_NE(node, nullptr);
        if (c.opcode == 0x12) EXPECT_EQ(node->children.size(), c.commands == 1 ? 1u : 1u + 256u);
        if (c.opcode != 0x12 && c.node != 0) EXPECT_EQ(node->children.size(), 63u);
        if (c.node == 0) EXPECT_EQ(FindTreeNode(root, 0x10000000 | (c.opcode == 0x4D ? 0x3000 : 0x4000)), nullptr);
    }
}

TEST(DeviceProbing, AnAllPagesReplyLongerThanTheFirstAllocationIsAskedAgainWhole) {
    // 600 bytes of mode data: the first 256 hold page 01h only, the rest pages 08h and 0Ah.
    std::vector<std::uint8_t> whole(600, 0);
    whole[1] = 598 & 0xFF;
    whole[0] = 598 >> 8;
    whole[8] = 0x01;
    whole[9] = 248;            // page 01h fills bytes 8 to 257
    whole[258] = 0x08;
    whole[259] = 98;           // page 08h: bytes 258 to 357
    whole[358] = 0x0A;
    whole[359] = 240;          // page 0Ah: bytes 358 to 599
    test::ScriptedPort port;
    const TreeNode root = TreeOfScriptedDevice(port, [&whole](test::ScriptedPort& p) {
        p.OnCommand(0x5A, test::Data(std::vector<std::uint8_t>(whole.begin(), whole.begin() + 256)));
        p.OnCommand(0x5A, test::Data(whole));
    });
    const auto calls = port.CallsWithOpcode(0x5A);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0]->Request().sptd.DataTransferLength, 256u);
    EXPECT_EQ(calls[1]->Request().sptd.DataTransferLength, 600u);
    EXPECT_EQ(calls[1]->Request().sptd.Cdb[2], 0x3F);
    const TreeNode* mode = FindTreeNode(root, 0x10004000);
    ASSERT_NE(mode, nullptr);
    std::vector<ItemCode> pages;
    for (const TreeNode& child : mode->children) pages.push_back(child.code & 0xFF);
    EXPECT_EQ(pages, (std::vector<ItemCode>{0x01, 0x08, 0x0A}));
}

}  // namespace
}  // namespace sektra
