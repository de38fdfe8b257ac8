// NVMe identify data and health logs laid out by hand, field by field.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "native/decode/DecodeTestSupport.h"
#include "decode/NvmeFields.h"
#include "language/ResourceIds.h"

namespace sektra {
namespace {

struct Bytes {
    std::vector<std::uint8_t> d;
    explicit Bytes(std::size_t size) : d(size, 0) {}
    void Le(std::size_t at, std::uint64_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) d[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    void Text(std::size_t at, std::size_t size, const std::string& text) {
        for (std::size_t i = 0; i < size; ++i) d[at + i] = i < text.size() ? text[i] : ' ';
    }
};

TEST(NvmeFields, IdentifyController) {
    Bytes c(4096);
    c.Le(0, 0x1234, 2);
    c.Le(2, 0xABCD, 2);
    c.Text(4, 20, "SN-77");
    c.Text(24, 40, "HAND NVME MODEL");
    c.Text(64, 8, "FW 1.2");
    c.Le(78, 3, 2);
    c.Le(80, 0x00010300, 4);
    c.Le(280, 1000204886016, 8);  // TNVMCAP, low half of 16 bytes
    c.Le(516, 2, 4);
    const DecodedFields f = DecodeNvmeIdentifyController(c.d.data(), c.d.size());
    const std::pair<unsigned, std::wstring> expected[] = {
        {IDS_FIELD_MODEL, L"HAND NVME MODEL"},  {IDS_FIELD_SERIAL, L"SN-77"},
        {IDS_FIELD_FIRMWARE, L"FW 1.2"},        {IDS_NVME_PCI_VENDOR, L"1234h"},
        {IDS_NVME_PCI_SUBSYSTEM, L"ABCDh"},     {IDS_NVME_CONTROLLER_ID, L"3"},
        {IDS_NVME_VERSION, L"1.3.0"},           {IDS_NVME_NAMESPACES, L"2"},
        {IDS_NVME_TOTAL_CAPACITY, L"1000.2 GB (1000204886016 バイト)"},
    };
    for (const auto& [label, value] : expected) EXPECT_EQ(ValueOf(f, label), value) << label;
    // 519 bytes end inside the namespace count; 72 leave out everything from the version on.
    EXPECT_EQ(ValueOf(DecodeNvmeIdentifyController(c.d.data(), 519), IDS_NVME_NAMESPACES), L"(absent)");
    const DecodedFields shortReply = DecodeNvmeIdentifyController(c.d.data(), 72);
    EXPECT_EQ(ValueOf(shortReply, IDS_FIELD_FIRMWARE), L"FW 1.2");
    EXPECT_EQ(ValueOf(shortReply, IDS_NVME_VERSION), L"(absent)");
}

TEST(NvmeFields, IdentifyNamespaceUsesTheFormatInUse) {
    Bytes n(4096);
    n.Le(0, 976773168, 8);
    n.Le(8, 976773168, 8);
    n.Le(16, 1000, 8);
    n.d[25] = 1;              // two formats
    n.d[26] = 0x11;           // format 1 (bit 4: metadata at the end of the block, ignored)
    n.d[128 + 2] = 9;         // format 0: 512 bytes
    n.d[132 + 2] = 12;        // format 1: 4096 bytes
    const DecodedFields f = DecodeNvmeIdentifyNamespace(n.d.data(), n.d.size());
    EXPECT_EQ(ValueOf(f, IDS_NVME_NAMESPACE_SIZE), L"976773168 ブロック");
    EXPECT_EQ(ValueOf(f, IDS_NVME_NAMESPACE_USED), L"1000 ブロック");
    EXPECT_EQ(ValueOf(f, IDS_NVME_LBA_FORMAT), L"1");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_LOGICAL_SECTOR), L"4096 バイト");
    // 976773168 x 4096 = 4000862896128
    EXPECT_EQ(ValueOf(f, IDS_FIELD_CAPACITY), L"4000.8 GB (4000862896128 バイト)");

    n.d[132 + 2] = 0;  // a block size below 512 bytes is not valid
    EXPECT_EQ(ValueOf(DecodeNvmeIdentifyNamespace(n.d.data(), n.d.size()), IDS_FIELD_LOGICAL_SECTOR),
              L"無効 (LBADS 0)");
    n.d[132 + 2] = 200;  // nor one that no shift can make
    EXPECT_EQ(ValueOf(DecodeNvmeIdentifyNamespace(n.d.data(), n.d.size()), IDS_FIELD_CAPACITY), L"(absent)");
    // A reply that ends before the format descriptor: no block size.
    EXPECT_EQ(ValueOf(DecodeNvmeIdentifyNamespace(n.d.data(), 135), IDS_FIELD_LOGICAL_SECTOR), L"(absent)");
}

TEST(NvmeFields, HealthLog) {
    Bytes h(512);
    h.d[0] = 0x05;             // spare below threshold, reliability degraded
    h.Le(1, 320, 2);           // 320 K = 47 degrees Celsius
    h.d[3] = 95;
    h.d[4] = 10;
    h.d[5] = 107;              // past the rated endurance
    h.Le(32, 2345678, 8);      // x 512000 = 1200987136000 bytes
    h.Le(48, 1, 8);            // 2^64 + 1 units: the upper half counts too
    h.Le(56, 1, 8);
    h.Le(112, 321, 8);
    h.Le(128, 4321, 8);
    h.Le(144, 12, 8);
    h.Le(160, 3, 8);
    h.Le(176, 5, 8);
    const DecodedFields f = DecodeNvmeHealthLog(h.d.data(), h.d.size());
    const std::pair<unsigned, std::wstring> expected[] = {
        {IDS_NVME_CRITICAL_WARNING, L"05h (予備領域がしきい値未満, 信頼性の低下)"},
        {IDS_FIELD_TEMPERATURE, L"47 °C (320 K)"},
        {IDS_NVME_SPARE, L"95 %"},
        {IDS_NVME_SPARE_THRESHOLD, L"10 %"},
        {IDS_NVME_PERCENTAGE_USED, L"107 %"},
        {IDS_NVME_DATA_READ, L"1200.9 GB (2345678 単位)"},
        // (2^64 + 1) x 512000 = 9444732965739290427904000 bytes
        {IDS_NVME_DATA_WRITTEN, L"9444732965739290.4 GB (18446744073709551617 単位)"},
        {IDS_FIELD_POWER_CYCLES, L"321 回"},
        {IDS_FIELD_POWER_ON_HOURS, L"4321 時間"},
        {IDS_NVME_UNSAFE_SHUTDOWNS, L"12 回"},
        {IDS_NVME_MEDIA_ERRORS, L"3"},
        {IDS_NVME_ERROR_LOG_ENTRIES, L"5"},
    };
    for (const auto& [label, value] : expected) EXPECT_EQ(ValueOf(f, label), value) << label;
}

TEST(NvmeFields, HealthLogEdgeValues) {
    Bytes h(512);
    h.Le(1, 250, 2);  // below freezing
    EXPECT_EQ(ValueOf(DecodeNvmeHealthLog(h.d.data(), 512), IDS_FIELD_TEMPERATURE), L"-23 °C (250 K)");
    h.Le(1, 0, 2);
    EXPECT_EQ(ValueOf(DecodeNvmeHealthLog(h.d.data(), 512), IDS_FIELD_TEMPERATURE), L"報告なし");
    EXPECT_EQ(ValueOf(DecodeNvmeHealthLog(h.d.data(), 512), IDS_NVME_CRITICAL_WARNING), L"00h (なし)");
    // 2 bytes: the warning, but the temperature's second byte is missing.
    const DecodedFields cut = DecodeNvmeHealthLog(h.d.data(), 2);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].labelId, unsigned{IDS_NVME_CRITICAL_WARNING});
    EXPECT_TRUE(DecodeNvmeHealthLog(nullptr, 512).empty());
}

}  // namespace
}  // namespace sektra
