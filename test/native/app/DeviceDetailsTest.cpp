#include "app/DeviceDetails.h"

#include <gtest/gtest.h>

#include "decode/AtaIdentifyFields.h"
#include "decode/FirstReadLabels.h"
#include "decode/NvmeFields.h"
#include "decode/SmartAttributes.h"
#include "native/app/FakeTexts.h"
#include "native/app/OpenedDemoSet.h"

namespace sektra {
namespace {

const FakeTexts texts;

class DeviceDetails : public testing::Test {
protected:
    Device& Disk(int index) { return *demo.disks[static_cast<std::size_t>(index)]; }
    Device& CdRom() { return *demo.cdRoms[0]; }
    static std::vector<std::wstring> Values(const DetailRows& rows, std::size_t from, std::size_t count = SIZE_MAX) {
        std::vector<std::wstring> values;
        for (std::size_t i = from; i < rows.size() && i - from < count; ++i) values.push_back(rows[i].value);
        return values;
    }
    // The hex dump that follows the decoded rows: from the row that carries its title on.
    static DetailRows Dump(const DetailRows& rows, const std::wstring& title) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].label == title) return DetailRows(rows.begin() + static_cast<std::ptrdiff_t>(i), rows.end());
        }
        return {};
    }

    OpenedDemoSet demo;
};

TEST_F(DeviceDetails, SummaryOfDisksAndCdRom) {
    struct Case {
        Device* device;
        ItemCode code;
        std::vector<std::wstring> values;
    } const cases[] = {
        // 4,194,304 blocks of 512 bytes
        {&Disk(0), 0x13000000,
         {L"SEKTRA DEMO HDD ATA 2GB", L"D100", L"4194304", L"512", L"2147483648", L"2147 MB", L"2048 MB", L"2 GB", L"2 GB"}},
        // 2^33 blocks: past READ CAPACITY(10), READ CAPACITY(16) gives the capacity
        {&Disk(3), 0x11030000,
         {L"SEKTRA DEMO 4TB DISK", L"L300", L"8589934592", L"512", L"4398046511104", L"4398046 MB", L"4194304 MB",
          L"4398 GB", L"4096 GB"}},
        // 225,000 blocks of 2048 bytes = 460,800,000 bytes
        {&CdRom(), 0x22000000,
         {L"SEKTRA DEMO CD-ROM ATAPI", L"C1.0", L"225000", L"2048", L"460800000", L"460 MB", L"439 MB", L"0 GB", L"0 GB"}},
    };
    // The capacity rows come first, unchanged; the decoded first-read fields follow them.
    for (const Case& c : cases) {
        EXPECT_EQ(Values(DescribeNode(*c.device, c.code, texts), 0, 9), c.values) << std::hex << c.code;
    }
}

// A disk far past 2^32 blocks, and one whose READ CAPACITY(16) reply claims 2^64 - 1 as its
// last block (its size in bytes would not fit 64 bits): the first is shown in full, the second
// as no capacity at all.
TEST(DeviceDetailsCapacity, SummaryOfDisksBeyondTheShortForm) {
    EmulatedPort port;
    DeviceConfig twelveTB = TestDisk(23437500000ull);  // 12,000,000,000,000 bytes of 512-byte blocks
    twelveTB.physicalBlockLength = 4096;
    port.AddDevice(kDiskInterfaceClass, twelveTB);
    port.AddDevice(kDiskInterfaceClass, TestDisk(0x100000001ull)).SetReplyMutator(
        [](const ReplyContext& context, std::vector<std::uint8_t>& reply) {
            if (context.kind == ReplyKind::ScsiDataIn && context.cdb[0] == 0x9E) std::fill(reply.begin(), reply.begin() + 8, 0xFF);
        });
    auto disks = EnumerateDevices(kDiskInterfaceClass, &port);
    ASSERT_EQ(disks.size(), 2u);
    struct Case {
        ItemCode code;
        std::vector<std::wstring> values;
    } const cases[] = {
        // Figures by hand: 12e12 / 1,048,576 = 11,444,091.8; 12e12 / 1,073,741,824 = 11,175.9.
        {0x11000000, {L"SEKTRA TEST DISK", L"T1.0", L"23437500000", L"512", L"12000000000000", L"12000000 MB",
                      L"11444091 MB", L"12000 GB", L"11175 GB"}},
        {0x11010000, {L"SEKTRA TEST DISK", L"T1.0", L"1", L"0", L"0", L"0 MB", L"0 MB", L"0 GB", L"0 GB"}},
    };
    for (const Case& c : cases) {
        const DetailRows rows = DescribeNode(*disks[ItemDeviceIndex(c.code)], c.code, texts);
        std::vector<std::wstring> values;
        for (std::size_t i = 0; i < rows.size() && i < 9; ++i) values.push_back(rows[i].value);
        EXPECT_EQ(values, c.values) << std::hex << c.code;
    }
    const CommandLog& log = port.GetDevice(kDiskInterfaceClass, 0)->Log();
    // One READ CAPACITY(16) for the capacity, one for the logical and physical block lengths.
    EXPECT_EQ(log.CountOpcode(0x9E), 2u);
    for (const LoggedCommand& command : log.Entries()) EXPECT_FALSE(command.opcode == 0x25 && (command.cdb[1] & 0x02));
}

TEST_F(DeviceDetails, StandardInquiryAndVpdPageAsHexDump) {
    const DetailRows standard = Dump(DescribeNode(Disk(1), 0x11012100, texts), L"S7 S8");
    ASSERT_EQ(standard.size(), 5u);  // 36 bytes
    EXPECT_EQ(standard[0].label, L"S7 S8");
    EXPECT_EQ(standard[0].value, L"00 00 05 12  1F 00 00 02");  // byte 7: command queuing
    EXPECT_EQ(standard[1].value, L"53 45 4B 54  52 41 20 20");
    EXPECT_EQ(standard[1].remark, L"SEKTRA  ");
    EXPECT_EQ(standard[4].value, L"53 32 30 30" + std::wstring(13, L' '));
    EXPECT_EQ(standard[4].remark, L"S200    ");

    const DetailRows serial = Dump(DescribeNode(Disk(1), 0x11012280, texts), L"S7 VPD 80h");
    ASSERT_EQ(serial.size(), 2u);  // 4-byte header and the 12-character serial number
    EXPECT_EQ(serial[0].label, L"S7 VPD 80h");
    EXPECT_EQ(serial[0].value, L"00 80 00 0C  53 4B 54 30");
    EXPECT_EQ(serial[1].remark, L"000S0002");
}

TEST_F(DeviceDetails, ModePagesSkipHeaderAndBlockDescriptors) {
    // The SCSI disk sends an 8-byte block descriptor, the USB disk none: both dumps start
    // with the caching page's own code (88h: 08h with the parameters-saveable bit).
    for (auto [device, code] : {std::pair{&Disk(1), ItemCode{0x11014108}}, std::pair{&Disk(2), ItemCode{0x17024108}}}) {
        const DetailRows rows = Dump(DescribeNode(*device, code, texts), L"Mode 08h");
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0].value.substr(0, 3), L"88 ");
    }
    const DetailRows log = Dump(DescribeNode(Disk(1), 0x1101310D, texts), L"Log 0Dh");
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].value.substr(0, 3), L"0D ");
    // Log pages show the current cumulative values: parameter 0000h of the read error
    // counters has counted to 14 (0Eh), where the default values are all 0.
    const DetailRows counters = Dump(DescribeNode(Disk(1), 0x11013103, texts), L"Log 03h");
    ASSERT_GE(counters.size(), 2u);
    EXPECT_EQ(counters[0].value, L"03 00 00 3C  00 00 00 04");  // six 4-byte counters and one of 8: 60 bytes
    EXPECT_EQ(counters[1].value.substr(0, 11), L"00 00 00 0E");
}

TEST_F(DeviceDetails, DefectListsAndAtaIdentification) {
    const DetailRows primary = DescribeNode(Disk(1), 0x11015100, texts);
    ASSERT_EQ(primary.size(), 2u + 24u);
    EXPECT_EQ(primary[0].label, L"S15");
    EXPECT_EQ(primary[1].value, L"24");
    EXPECT_EQ(primary[2].label, L"Entry 1");
    EXPECT_EQ(primary[2].value, L"C:100, H:0, S:7");
    EXPECT_EQ(primary[3].value, L"C:113, H:1, S:104");
    const DetailRows grown = DescribeNode(Disk(1), 0x11015200, texts);
    ASSERT_EQ(grown.size(), 2u + 3u);
    EXPECT_EQ(grown[0].label, L"S16");
    EXPECT_EQ(grown[2].value, L"C:50, H:3, S:7");

    // Decoded rows first, then the 512 bytes in 64 dump rows.
    const DetailRows identify = DescribeNode(Disk(0), 0x13002300, texts);
    ASSERT_GT(identify.size(), 64u);
    EXPECT_EQ(identify[0].label, L"S900");
    EXPECT_EQ(identify[0].value, L"SEKTRA DEMO HDD ATA 2GB");
    EXPECT_EQ(identify[identify.size() - 64].label, L"S113");
}

// The demo SATA and NVMe disks' health rows, against the values their profiles were given.
TEST_F(DeviceDetails, SmartAttributesAndNvmeData) {
    const DetailRows smart = DescribeNode(Disk(8), 0x1B086100, texts);
    // Revision, 12 attributes, then attributes and thresholds in 64 dump rows each.
    ASSERT_EQ(smart.size(), 1u + 12u + 64u + 64u);
    EXPECT_EQ(smart[0].label, L"S914");
    EXPECT_EQ(smart[0].value, L"16");
    EXPECT_EQ(smart[2].label, L"S924");  // reallocated sectors: 2, threshold 10
    EXPECT_EQ(smart[2].value, L"2");
    EXPECT_EQ(smart[2].remark, L"ID 5, 現在 100, 最悪 100, しきい値 10, 生値 000000000002h, フラグ 0033h");
    EXPECT_EQ(smart[6].label, L"S917");  // temperature: 38 degrees, 21 lowest, 55 highest
    EXPECT_EQ(smart[6].value, L"38 °C");
    EXPECT_EQ(smart[13].label, L"S981");
    EXPECT_EQ(smart[13 + 64].label, L"S982");
    EXPECT_TRUE(DescribeNode(Disk(0), 0x13006100, texts).empty());  // the ATA disk has no SMART data

    const DetailRows health = DescribeNode(Disk(9), 0x1F097300, texts);
    ASSERT_EQ(health.size(), 12u + 64u);
    EXPECT_EQ(health[1].label, L"S917");
    EXPECT_EQ(health[1].value, L"41 °C (314 K)");
    EXPECT_EQ(health[4].value, L"3 %");  // percentage used
    // 2345678 units of 512,000 bytes = 1,200,987,136,000 bytes
    EXPECT_EQ(health[6].value, L"1200.9 GB (2345678 単位)");
    EXPECT_EQ(health[12].label, L"S986");

    const DetailRows space = DescribeNode(Disk(9), 0x1F097200, texts);
    ASSERT_GE(space.size(), 6u);
    EXPECT_EQ(space[4].value, L"512 バイト");
    // 1,000,215,216 blocks of 512 bytes
    EXPECT_EQ(space[5].value, L"512.1 GB (512110190592 バイト)");
    const DetailRows controller = DescribeNode(Disk(9), 0x1F097100, texts);
    ASSERT_GE(controller.size(), 4u);
    EXPECT_EQ(controller[0].value, L"SEKTRA DEMO NVME SSD 512GB");
    EXPECT_EQ(controller[3].value, L"5EC7h");
    EXPECT_EQ(controller[controller.size() - 512].label, L"S984");  // 4096 bytes
}

TEST_F(DeviceDetails, TestEntries) {
    const DetailRows sizes = DescribeNode(Disk(1), 0x11011500, texts);
    ASSERT_EQ(sizes.size(), 2u + 11u + 1u);
    EXPECT_EQ(sizes[0].label, L"SEKTRA DEMO SCSI DISK (S200)");
    EXPECT_EQ(sizes[1].label, L"Sequential Read Test");
    EXPECT_EQ(sizes[12].label, L"1024 KB Test");
    EXPECT_EQ(sizes[12].code, 0x1101151Bu);  // 2048 blocks: the 1 MB limit allows them
    EXPECT_EQ(sizes[13].code, 0x1101151Fu);

    const DetailRows variants = DescribeNode(Disk(1), 0x11011813, texts);
    ASSERT_EQ(variants.size(), 6u);
    EXPECT_EQ(variants[1].label, L"Random Write Test");
    EXPECT_EQ(variants[2].label, L"Rnd. Write Test(4 KB)");
    EXPECT_EQ(variants[5].code, 0x11011853u);

    const DetailRows cache = DescribeNode(CdRom(), 0x22001300, texts);
    ASSERT_EQ(cache.size(), 2u + 10u + 1u);
    EXPECT_EQ(cache[2].remark, L"   1 Sector");
    EXPECT_EQ(cache[7].code, 0x22001315u);  // 32 blocks = the 64 KB limit
    EXPECT_EQ(cache[8].value, L"Test Not Ready");

    const DetailRows buffer = DescribeNode(Disk(1), 0x11011A00, texts);
    ASSERT_EQ(buffer.size(), 2u + 11u + 1u);
    EXPECT_EQ(buffer[12].code, 0x11011A1Au);  // 1024 KB of the 2 MB buffer in one transfer

    const DetailRows seek = DescribeNode(Disk(0), 0x13001400, texts);
    ASSERT_EQ(seek.size(), 4u);
    EXPECT_EQ(seek[2].code, 0x13001410u);
    EXPECT_EQ(seek[3].code, 0x1300141Fu);
}

TEST_F(DeviceDetails, CategoryNodesShowNothing) {
    for (ItemCode code : {0x11012000u, 0x11013000u, 0x11014000u, 0x11015000u, 0x11011000u}) {
        EXPECT_TRUE(DescribeNode(Disk(1), code, texts).empty()) << std::hex << code;
    }
}

// Replies whose length fields lie must leave rows out or show what arrived, never read or
// write outside a buffer (this runs under AddressSanitizer too).
TEST_F(DeviceDetails, LyingLengthFieldsStayInsideTheBuffers) {
    const ItemCode nodes[] = {0x11012100, 0x11012200, 0x11012280, 0x11012283, 0x11013100, 0x1101310D,
                              0x11014108, 0x1101413F, 0x11015100, 0x11015200};
    for (LengthFault fault : {LengthFault::Zero, LengthFault::Byte0xFF, LengthFault::AllOnes,
                              LengthFault::BeyondAllocation}) {
        ReplyFaults faults;
        faults.standardInquiry = faults.vpdPage = faults.logPage = faults.modeData = faults.modeBlockDescriptors =
            faults.defectList = fault;
        demo.port->GetDevice(kDiskInterfaceClass, 1)->SetReplyFaults(faults);
        for (ItemCode code : nodes) DescribeNode(Disk(1), code, texts);
    }
    // A block descriptor length that leaves no page data shows nothing.
    ReplyFaults descriptors;
    descriptors.modeBlockDescriptors = LengthFault::AllOnes;
    demo.port->GetDevice(kDiskInterfaceClass, 1)->SetReplyFaults(descriptors);
    EXPECT_TRUE(DescribeNode(Disk(1), 0x11014108, texts).empty());
}

}  // namespace
}  // namespace sektra

namespace sektra {
namespace {

bool HasLabel(const DecodedFields& fields, unsigned label) {
    for (const DecodedField& f : fields) {
        if (f.labelId == label) return true;
    }
    return false;
}

// The summary takes these labels from the decoded fields; each must be one its source gives:
// the demo SATA and NVMe disks show every one, SMART attributes name them through their ids.
TEST(FirstReadLabels, EveryLabelIsOneItsSourceGives) {
    OpenedDemoSet demo;
    Device& sata = *demo.disks[8];
    Device& nvme = *demo.disks[9];
    std::uint8_t block[4096] = {};
    ASSERT_EQ(sata.IdentifyAta(block), 0);
    const DecodedFields identify = DecodeAtaIdentify(block, 512);
    for (unsigned label : FirstReadLabels(DecodeSource::AtaIdentify)) EXPECT_TRUE(HasLabel(identify, label)) << label;
    ASSERT_EQ(nvme.IdentifyNvmeController(block), 0);
    const DecodedFields controller = DecodeNvmeIdentifyController(block, 4096);
    for (unsigned label : FirstReadLabels(DecodeSource::NvmeController)) EXPECT_TRUE(HasLabel(controller, label)) << label;
    ASSERT_EQ(nvme.IdentifyNvmeNamespace(1, block), 0);
    const DecodedFields space = DecodeNvmeIdentifyNamespace(block, 4096);
    for (unsigned label : FirstReadLabels(DecodeSource::NvmeNamespace)) EXPECT_TRUE(HasLabel(space, label)) << label;
    ASSERT_EQ(nvme.ReadNvmeHealthLog(block), 0);
    const DecodedFields health = DecodeNvmeHealthLog(block, 512);
    for (unsigned label : FirstReadLabels(DecodeSource::NvmeHealth)) EXPECT_TRUE(HasLabel(health, label)) << label;
    for (unsigned label : FirstReadLabels(DecodeSource::SmartAttributes)) {
        bool named = false;
        for (unsigned id = 1; id < 256; ++id) named = named || SmartAttributeLabel(static_cast<std::uint8_t>(id)) == label;
        EXPECT_TRUE(named) << label;
    }
}

}  // namespace
}  // namespace sektra
