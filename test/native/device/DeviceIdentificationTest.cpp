// Bus and peripheral types, identification texts, serial number, IDENTIFY and transfer limit.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "device/Device.h"
#include "device/TypeNames.h"
#include "native/device/ScriptedPort.h"

namespace sektra::test {
namespace {

class Identification : public ::testing::Test {
protected:
    void SetUp() override {
        port.members[0] = {true};
        ASSERT_EQ(0, device.Open(0, 0));
    }
    ScriptedPort port;
    Device device{&port};
};

struct NameCase {
    std::uint32_t busType;
    std::string vendor, product, revision;
    std::string model, modelWithRevision;
};

TEST_F(Identification, ModelTexts) {
    const NameCase cases[] = {
        // Three letters each: joined by one blank; the revision keeps its trailing blank.
        {1, "ABC     ", "XYZ             ", "1.0 ", "ABC XYZ", "ABC XYZ (1.0 )"},
        // Fields filled to the last byte: the longest text, 32 characters.
        {1, "VENDORXY", "PRODUCT-16-CHARS", "ABCD", "VENDORXY PRODUCT-16-CHARS",
         "VENDORXY PRODUCT-16-CHARS (ABCD)"},
        // A blank vendor leaves the separating blank at the front.
        {7, "        ", "FLASH DRIVE     ", "0001", " FLASH DRIVE", " FLASH DRIVE (0001)"},
        // ATA and ATAPI carry one 24-byte model across both fields: no blank at byte 16.
        {3, "QDISK 10", "00XYZ-ABCD      ", "A1B2", "QDISK 1000XYZ-ABCD", "QDISK 1000XYZ-ABCD (A1B2)"},
        {2, "QOPTIC D", "VD-RW X9        ", "1.02", "QOPTIC DVD-RW X9", "QOPTIC DVD-RW X9 (1.02)"},
        // The same fields from a SCSI disk.
        {1, "QDISK 10", "00XYZ-ABCD      ", "A1B2", "QDISK 10 00XYZ-ABCD", "QDISK 10 00XYZ-ABCD (A1B2)"},
    };
    for (const NameCase& c : cases) {
        ScriptedPort p;
        p.members[0] = {true};
        p.OnCommand(0x12, InquiryData(0, c.vendor, c.product, c.revision));
        p.OnProperty(kStorageDeviceProperty, DeviceDescriptor(c.busType));
        Device d(&p);
        ASSERT_EQ(0, d.Open(0, 0));
        EXPECT_EQ(c.model, d.GetModelName()) << c.model;
        EXPECT_EQ(c.modelWithRevision, d.GetModelNameWithRevision()) << c.model;
        EXPECT_EQ(c.revision, d.GetRevision()) << c.model;
    }
}

TEST_F(Identification, StandardInquiryRequest) {
    port.OnCommand(0x12, InquiryData(0, "ABC", "XYZ", "1"));
    device.GetModelName();
    const auto inquiries = port.CallsWithOpcode(0x12);
    ASSERT_EQ(1u, inquiries.size());
    const ScsiRequest& r = inquiries[0]->Request();
    const std::uint8_t cdb[6] = {0x12, 0, 0, 0, 255, 0};
    EXPECT_EQ(0, std::memcmp(cdb, r.sptd.Cdb, 6));
    EXPECT_EQ(256u, r.sptd.DataTransferLength);
}

TEST_F(Identification, InquiryThatCannotBeSentGivesEmptyTextsAndType31) {
    port.OnCommand(0x12, Failure());
    EXPECT_STREQ("", device.GetModelName());
    EXPECT_STREQ("", device.GetModelNameWithRevision());
    EXPECT_STREQ("", device.GetRevision());
    EXPECT_EQ(31u, device.GetPeripheralType());
}

TEST_F(Identification, PeripheralTypeIsTheLowFiveBitsEvenWhenNotClean) {
    Reply reply = InquiryData(0xE5, "A", "B", "C");
    reply.sense = CheckCondition(5, 0x24, 0).sense;
    port.OnCommand(0x12, reply);
    EXPECT_EQ(5u, device.GetPeripheralType());
}

TEST(TypeNames, BusTypes) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "UNKNOWN"}, {1, "SCSI"}, {2, "ATAPI"}, {3, "ATA"}, {4, "IEEE 1394"}, {5, "SSA"},
        {6, "FIBRE"}, {7, "USB"}, {8, "RAID"}, {9, "iSCSI"}, {10, "SAS"}, {11, "SATA"},
        {12, "SD"}, {13, "MMC"}, {14, "Virtual"}, {15, "File Backed Virtual"}, {16, "Spaces"},
        {17, "NVMe"}, {18, "SCM"}, {19, "UFS"}, {20, "UNKNOWN"}, {0x7F, "UNKNOWN"},
        {0xFFFFFFFF, "UNKNOWN"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.second, GetBusTypeName(c.first)) << c.first;
}

TEST(TypeNames, PeripheralTypes) {
    const std::pair<std::uint32_t, const char*> cases[] = {
        {0, "Direct Access Device"}, {1, "Tape Device"}, {4, "WORM Device"}, {5, "CDROM Device"},
        {7, "Optical Disk"}, {8, "Media Changer"}, {9, "Comm. Device"}, {10, "ASCIT8"},
        {11, "ASCIT8"}, {12, "Array Device"}, {13, "Enclosure Device"}, {14, "RBC Device"},
        {15, "Unknown Device"}, {16, "Unknown Device"}, {31, "Unknown Device"},
        {0xFFFFFFFF, "Unknown Device"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.second, GetPeripheralTypeName(c.first)) << c.first;
}

TEST_F(Identification, BusTypeFromTheDeviceDescriptor) {
    port.OnProperty(kStorageDeviceProperty, DeviceDescriptor(kBusTypeSata));
    EXPECT_EQ(11u, device.GetBusType());
    ASSERT_EQ(1u, port.calls.size());
    const Call& call = port.calls[0];
    EXPECT_EQ(kIoctlStorageQueryProperty, call.code);
    const std::vector<std::uint8_t> query(12, 0);  // StorageDeviceProperty, standard query
    EXPECT_EQ(query, call.in);
    EXPECT_EQ(1064u, call.outSize);

    port.ClearReplies();
    port.OnProperty(kStorageDeviceProperty, Failure());
    EXPECT_EQ(0u, device.GetBusType());
}

TEST_F(Identification, SerialNumber) {
    struct Case { Reply reply; std::string serial; };
    const Case cases[] = {
        {DeviceDescriptor(1, 40, "SN-0001"), "SN-0001"},
        {DeviceDescriptor(1, 0, ""), ""},
        {DeviceDescriptor(1, 0xFFFFFFFF, ""), ""},
        {Failure(), ""},
        // Offsets beyond the reply buffer are ignored; a text without terminator ends with it.
        {DeviceDescriptor(1, 5000, "", 64), ""},
        {DeviceDescriptor(1, 1060, "WXYZ", 1064), "WXYZ"},
    };
    for (const Case& c : cases) {
        port.ClearReplies();
        port.OnProperty(kStorageDeviceProperty, c.reply);
        EXPECT_EQ(c.serial, device.GetSerialNumber());
    }
}

TEST_F(Identification, MaxTransferBytesIsTheSmallerLimitUpTo16MiB) {
    struct Case { std::uint32_t length, pages, expected; };
    const Case cases[] = {
        {65536, 17, 65536},               // 17 pages are 69632 bytes
        {0x2000000, 0x10000, 16777216},   // both beyond 16 MiB
        {0x20000, 16, 65536},             // 16 pages of 4096
        {0x2000000, 0x100000, 16777216},  // 2^20 pages are 2^32 bytes: no wrap to 0
        {0, 100, 0},
        {0x1000000, 0x1000, 0x1000000},
    };
    for (const Case& c : cases) {
        port.ClearReplies();
        port.OnProperty(kStorageAdapterProperty, AdapterDescriptor(c.length, c.pages));
        EXPECT_EQ(c.expected, device.GetMaxTransferBytes()) << c.length << " " << c.pages;
    }
    StoragePropertyQuery query;
    std::memcpy(&query, port.calls.back().in.data(), sizeof(query));
    EXPECT_EQ(kStorageAdapterProperty, query.PropertyId);
    EXPECT_EQ(32u, port.calls.back().outSize);

    port.ClearReplies();
    port.OnProperty(kStorageAdapterProperty, Failure());
    EXPECT_EQ(0u, device.GetMaxTransferBytes());
}

TEST_F(Identification, IdentifyAtaSendsTheCommandOfTheBusType) {
    struct Case { std::uint32_t busType; std::uint8_t command; };
    const Case cases[] = {{kBusTypeAta, 0xEC}, {kBusTypeAtapi, 0xA1}, {kBusTypeSata, 0xEC}};
    for (const Case& c : cases) {
        ScriptedPort p;
        p.members[0] = {true};
        p.OnProperty(kStorageDeviceProperty, DeviceDescriptor(c.busType));
        std::vector<std::uint8_t> reply(528);
        for (std::size_t i = 0; i < reply.size(); ++i) reply[i] = static_cast<std::uint8_t>(i * 7);
        p.OnIdentify(Data(reply));
        Device d(&p);
        ASSERT_EQ(0, d.Open(0, 0));
        std::uint8_t block[512];
        EXPECT_EQ(0, d.IdentifyAta(block));
        EXPECT_EQ(0, std::memcmp(block, reply.data() + 16, 512));

        const Call& call = p.calls.back();
        EXPECT_EQ(kSmartRcvDriveData, call.code);
        EXPECT_EQ(528u, call.outSize);
        // cBufferSize 512, then features 0, count 1, number 1, cylinder 0 0, drive/head A0h, command.
        std::vector<std::uint8_t> in(32, 0);
        in[1] = 0x02;
        in[5] = 1;
        in[6] = 1;
        in[9] = 0xA0;
        in[10] = c.command;
        EXPECT_EQ(in, call.in) << c.busType;
    }
}

TEST_F(Identification, IdentifyAtaRefusesOtherBusesAndReportsFailure) {
    port.OnProperty(kStorageDeviceProperty, DeviceDescriptor(kBusTypeScsi));
    std::uint8_t block[512];
    EXPECT_EQ(-1, device.IdentifyAta(block));
    EXPECT_EQ(1u, port.calls.size());  // only the bus type query

    port.ClearReplies();
    port.OnProperty(kStorageDeviceProperty, DeviceDescriptor(kBusTypeAta));
    port.OnIdentify(Failure());
    std::memset(block, 0xEE, sizeof(block));
    EXPECT_EQ(-1, device.IdentifyAta(block));
    for (int i = 0; i < 512; ++i) ASSERT_EQ(0, block[i]) << i;
}

// A SENDCMDOUTPARAMS reply whose IDENTIFY block holds the texts in ATA order: each 16-bit word
// little-endian with its first character in the high byte, so "AB" lies as 'B', 'A'.
Reply IdentifyReply(const std::string& serial20, const std::string& firmware8, const std::string& model40) {
    std::vector<std::uint8_t> reply(528, 0);
    auto put = [&reply](int firstWord, const std::string& text) {
        for (std::size_t i = 0; i < text.size(); ++i) reply[16 + 2 * firstWord + (i ^ 1)] = static_cast<std::uint8_t>(text[i]);
    };
    put(10, serial20);
    put(23, firmware8);
    put(27, model40);
    return Data(reply);
}

TEST_F(Identification, SataTextsComeFromIdentify) {
    const std::string model40 = "SEKTRA DEMO SATA 12TB DISK 0123456789ABC";
    ASSERT_EQ(40u, model40.size());
    struct Case {
        Reply identify;
        std::string model, revision, modelWithRevision, serial;
    };
    const Case cases[] = {
        // The whole 40 characters; firmware and serial trimmed on both sides.
        {IdentifyReply("      SKT000SATA0001", "SF01    ", model40), model40, "SF01", model40 + " (SF01)", "SKT000SATA0001"},
        {IdentifyReply("SER", "12345678", "SHORT MODEL" + std::string(29, ' ')), "SHORT MODEL", "12345678",
         "SHORT MODEL (12345678)", "SER"},
        // No IDENTIFY: the translated INQUIRY and the descriptor's serial, as for any other disk.
        {Failure(), "ATA SEKTRA DEMO SATA", "SF01", "ATA SEKTRA DEMO SATA (SF01)", "DESCRIPTOR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model);
        port.ClearReplies();
        port.OnProperty(kStorageDeviceProperty, DeviceDescriptor(kBusTypeSata, 40, "DESCRIPTOR"));
        port.OnCommand(0x12, InquiryData(0, "ATA     ", "SEKTRA DEMO SATA", "SF01"));
        port.OnIdentify(c.identify);
        EXPECT_EQ(c.model, device.GetModelName());
        EXPECT_EQ(c.revision, device.GetRevision());
        EXPECT_EQ(c.modelWithRevision, device.GetModelNameWithRevision());
        EXPECT_EQ(c.serial, device.GetSerialNumber());
    }
}

}  // namespace
}  // namespace sektra::test
