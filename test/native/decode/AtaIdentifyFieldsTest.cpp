// IDENTIFY blocks laid out by hand, word by word, and the fields read from them.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "decode/AtaIdentifyFields.h"
#include "native/decode/DecodeTestSupport.h"
#include "language/ResourceIds.h"

namespace sektra {
namespace {

struct Block {
    std::array<std::uint8_t, 512> b{};
    void Word(int word, std::uint16_t value) {
        b[2 * word] = static_cast<std::uint8_t>(value);
        b[2 * word + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    // ATA strings: the first character of each pair in the word's high byte.
    void Text(int firstWord, int words, const std::string& text) {
        for (int i = 0; i < 2 * words; ++i) b[2 * firstWord + (i ^ 1)] = i < static_cast<int>(text.size()) ? text[i] : ' ';
    }
    void Seal() {
        b[510] = 0xA5;
        unsigned sum = 0;
        for (int i = 0; i < 511; ++i) sum += b[i];
        b[511] = static_cast<std::uint8_t>(256 - sum % 256);
    }
    DecodedFields Decode(std::size_t length = 512) const { return DecodeAtaIdentify(b.data(), length); }
};

// A 250 GB 5400 rpm disk with 4096-byte physical sectors, TRIM, SMART on and write cache off.
Block HandDisk() {
    Block d;
    d.Text(27, 20, "HAND MADE DISK 250");
    d.Text(10, 10, "      SER-0042");
    d.Text(23, 4, "FW12");
    d.Word(60, 0xFFFF);
    d.Word(61, 0x0FFF);       // 268435455 sectors through LBA28
    d.Word(76, 0x0006);       // Gen1 and Gen2
    d.Word(82, 0x0021);       // SMART and write cache supported
    d.Word(83, 0x4400);       // valid, 48-bit addressing
    d.Word(85, 0x0001);       // SMART enabled, write cache not
    d.Word(100, 0x5970);
    d.Word(101, 0x1D1C);      // 0x1D1C5970 = 488397168 sectors
    d.Word(106, 0x6003);      // valid, 2^3 logical sectors per physical one
    d.Word(169, 0x0001);
    d.Word(217, 5400);
    d.Seal();
    return d;
}

TEST(AtaIdentifyFields, ReadsEveryFieldOfAHandMadeBlock) {
    const DecodedFields f = HandDisk().Decode();
    const std::pair<unsigned, std::wstring> expected[] = {
        {IDS_FIELD_MODEL, L"HAND MADE DISK 250"},
        {IDS_FIELD_SERIAL, L"SER-0042"},
        {IDS_FIELD_FIRMWARE, L"FW12"},
        {IDS_FIELD_LBA28, L"268435455"},
        {IDS_FIELD_LBA48, L"488397168"},
        // 488397168 x 512 = 250059350016
        {IDS_FIELD_CAPACITY, L"250.0 GB (250059350016 バイト)"},
        {IDS_FIELD_LOGICAL_SECTOR, L"512 バイト"},
        {IDS_FIELD_PHYSICAL_SECTOR, L"4096 バイト"},
        {IDS_FIELD_ROTATION, L"5400 rpm"},
        {IDS_FIELD_TRIM, L"対応"},
        {IDS_FIELD_SMART, L"対応 (有効)"},
        {IDS_FIELD_WRITE_CACHE, L"対応 (無効)"},
        {IDS_FIELD_SATA, L"Gen2 (3.0 Gb/s)"},
        {IDS_FIELD_INTEGRITY, L"正常"},
    };
    for (const auto& [label, value] : expected) EXPECT_EQ(ValueOf(f, label), value) << label;
}

TEST(AtaIdentifyFields, SpecialWordValues) {
    struct Case {
        int word;
        std::uint16_t value;
        unsigned label;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {217, 0x0001, IDS_FIELD_ROTATION, L"回転しない媒体 (SSD)"},
        {217, 0x0000, IDS_FIELD_ROTATION, L"報告なし"},
        {217, 0x0400, IDS_FIELD_ROTATION, L"報告なし"},  // reserved
        {76, 0x000E, IDS_FIELD_SATA, L"Gen3 (6.0 Gb/s)"},
        {76, 0xFFFF, IDS_FIELD_SATA, L"(absent)"},       // not a SATA device
        {169, 0x0000, IDS_FIELD_TRIM, L"非対応"},
        {82, 0x0000, IDS_FIELD_WRITE_CACHE, L"非対応"},
        // Word 83 without its validity pattern: no 48-bit count, nor SMART or cache rows.
        {83, 0x0400, IDS_FIELD_LBA48, L"(absent)"},
        {83, 0x8400, IDS_FIELD_SMART, L"(absent)"},
        // Word 106 invalid (bit 15 set): the physical sector is the logical one.
        {106, 0xE003, IDS_FIELD_PHYSICAL_SECTOR, L"512 バイト"},
    };
    for (const Case& c : cases) {
        Block d = HandDisk();
        d.Word(c.word, c.value);
        d.Seal();
        EXPECT_EQ(ValueOf(d.Decode(), c.label), c.expected) << "word " << c.word << " = " << c.value;
    }
}

TEST(AtaIdentifyFields, LongLogicalSectorsTakeWords117And118) {
    Block d = HandDisk();
    d.Word(106, 0x5000);  // valid, logical sector longer than 256 words
    d.Word(117, 2048);    // words: 4096 bytes
    d.Word(118, 0);
    d.Seal();
    const DecodedFields f = d.Decode();
    EXPECT_EQ(ValueOf(f, IDS_FIELD_LOGICAL_SECTOR), L"4096 バイト");
    // 488397168 x 4096 = 2000474800128
    EXPECT_EQ(ValueOf(f, IDS_FIELD_CAPACITY), L"2000.4 GB (2000474800128 バイト)");
}

TEST(AtaIdentifyFields, IntegrityWord) {
    Block d = HandDisk();
    d.b[100] ^= 0x01;  // one bit changed after sealing
    EXPECT_EQ(CheckAtaIntegrity(d.b.data(), 512), AtaIntegrity::Invalid);
    EXPECT_EQ(ValueOf(d.Decode(), IDS_FIELD_INTEGRITY), L"チェックサム不一致 (データが壊れている可能性があります)");
    // The fields are still shown.
    EXPECT_EQ(ValueOf(d.Decode(), IDS_FIELD_MODEL), L"HAND MADE DISK 250");
    d.b[510] = 0;
    EXPECT_EQ(ValueOf(d.Decode(), IDS_FIELD_INTEGRITY), L"なし");
}

TEST(AtaIdentifyFields, ShortBlockGivesTheFieldsItReaches) {
    const Block d = HandDisk();
    // 94 bytes reach the model (words 27-46); 121 would cut words 60-61.
    const DecodedFields f = d.Decode(94);
    EXPECT_EQ(ValueOf(f, IDS_FIELD_MODEL), L"HAND MADE DISK 250");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_LBA28), L"(absent)");
    EXPECT_EQ(ValueOf(f, IDS_FIELD_INTEGRITY), L"(absent)");
    EXPECT_EQ(ValueOf(d.Decode(93), IDS_FIELD_MODEL), L"(absent)");
    EXPECT_TRUE(DecodeAtaIdentify(nullptr, 512).empty());
}

TEST(AtaIdentifyFields, UnprintableBytesInTextsShowAsQuestionMarks) {
    Block d = HandDisk();
    d.Text(23, 4, "F\x01W\x7F");
    EXPECT_EQ(ValueOf(d.Decode(), IDS_FIELD_FIRMWARE), L"F?W?");
}

}  // namespace
}  // namespace sektra
