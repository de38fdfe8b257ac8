#include "app/DetailTables.h"

#include <gtest/gtest.h>

#include "native/app/FakeTexts.h"

namespace sektra {
namespace {

const FakeTexts texts;
constexpr ItemCode kDisk = 0x13000000;  // an ATA disk, index 0

TEST(SummaryRows, CapacityInBytesAndTruncatedUnits) {
    struct Case {
        std::uint64_t lastLba;
        std::uint32_t blockLength;
        const wchar_t* blocks;
        const wchar_t* bytes;
        const wchar_t *mb, *mib, *gb, *gib;
    } const cases[] = {
        // 1,953,525,168 blocks of 512 bytes = 1,000,204,886,016 bytes
        {1953525167, 512, L"1953525168", L"1000204886016", L"1000204 MB", L"953869 MB", L"1000 GB", L"931 GB"},
        // beyond 32-bit block addresses: 4,294,967,297 blocks of 512
        {4294967296ULL, 512, L"4294967297", L"2199023256064", L"2199023 MB", L"2097152 MB", L"2199 GB", L"2048 GB"},
        // a failed capacity query: one block of nothing
        {0, 0, L"1", L"0", L"0 MB", L"0 MB", L"0 GB", L"0 GB"},
        // 999,999 bytes stay below one decimal megabyte
        {999998, 1, L"999999", L"999999", L"0 MB", L"0 MB", L"0 GB", L"0 GB"},
    };
    for (const Case& c : cases) {
        DetailRows rows;
        AppendSummaryRows(rows, texts, L"DEMO DISK", L"1.0 ", c.lastLba, c.blockLength);
        ASSERT_EQ(rows.size(), 9u);
        EXPECT_EQ(rows[0].label, L"S30");
        EXPECT_EQ(rows[0].value, L"DEMO DISK");
        EXPECT_EQ(rows[1].value, L"1.0 ");
        EXPECT_EQ(rows[2].label, L"S32");
        EXPECT_EQ(rows[2].value, c.blocks);
        EXPECT_EQ(rows[3].value, std::to_wstring(c.blockLength));
        EXPECT_EQ(rows[3].remark, L"bytes");
        EXPECT_EQ(rows[4].value, c.bytes);
        EXPECT_EQ(rows[5].value, c.mb);
        EXPECT_EQ(rows[5].remark, L"1 MB = 1,000,000 bytes");
        EXPECT_EQ(rows[6].value, c.mib);
        EXPECT_EQ(rows[6].remark, L"1 MB = 1,048,576 bytes");
        EXPECT_EQ(rows[7].value, c.gb);
        EXPECT_EQ(rows[7].remark, L"1 GB = 1,000,000,000 bytes");
        EXPECT_EQ(rows[8].value, c.gib);
        EXPECT_EQ(rows[8].remark, L"1 GB = 1,073,741,824 bytes");
        for (int r = 4; r <= 8; ++r) EXPECT_EQ(rows[r].label, L"S34");
        for (const DetailRow& row : rows) EXPECT_EQ(row.code, 0u);
    }
}

TEST(DefectListRows, DecodesPhysicalSectorEntries) {
    const std::uint8_t list[] = {
        0x00, 0x1D, 0x00, 0x10,                          // header: 16 bytes of entries
        0x01, 0x23, 0x45, 0x07, 0x00, 0x00, 0x01, 0x00,  // cylinder 0x012345 -> low 16 bits
        0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // head 255, sector 0xFFFFFFFF
    };
    DetailRows rows;
    AppendDefectListRows(rows, texts, true, list, sizeof list);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].label, L"S15");
    EXPECT_EQ(rows[1].label, L"S35");
    EXPECT_EQ(rows[1].value, L"2");
    EXPECT_EQ(rows[2].label, L"Entry 1");
    EXPECT_EQ(rows[2].value, L"C:9029, H:7, S:256");
    EXPECT_EQ(rows[3].label, L"Entry 2");
    EXPECT_EQ(rows[3].value, L"C:0, H:255, S:-1");

    DetailRows grown;
    AppendDefectListRows(grown, texts, false, list, 4);
    ASSERT_EQ(grown.size(), 2u);
    EXPECT_EQ(grown[0].label, L"S16");
    EXPECT_EQ(grown[1].value, L"0");
}

TEST(DefectListRows, PartialEntriesAndWrappedLengthsListNothingBeyondTheData) {
    const std::uint8_t list[12] = {0, 0x1D, 0, 8, 0, 0, 1, 2, 0, 0, 0, 3};
    for (std::size_t length : {0u, 1u, 3u, 11u}) {  // a 16-bit length that wrapped gives < 4
        DetailRows rows;
        AppendDefectListRows(rows, texts, true, list, length);
        ASSERT_EQ(rows.size(), 2u) << length;
        EXPECT_EQ(rows[1].value, L"0");
    }
}

struct SizeRow {
    const wchar_t* label;
    const wchar_t* ready;
    const wchar_t* sectors;
    ItemCode code;
};

void ExpectRows(const DetailRows& rows, const std::vector<SizeRow>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].label, expected[i].label) << i;
        EXPECT_EQ(rows[i].value, expected[i].ready) << i;
        EXPECT_EQ(rows[i].remark, expected[i].sectors) << i;
        EXPECT_EQ(rows[i].code, expected[i].code) << i;
    }
}

TEST(BlockSizeRows, Blocks512From1KBTo1MBNotReadyAboveTheProbedMaximum) {
    const ItemCode test = kDisk | 0x1500;
    DetailRows rows;
    AppendBlockSizeRows(rows, texts, test, 1000, 512, 65536, 128);
    ExpectRows(rows, {
        {L"   1 KB Test", L"Test Ready", L"   2 Sectors", 0x13001511},
        {L"   2 KB Test", L"Test Ready", L"   4 Sectors", 0x13001512},
        {L"   4 KB Test", L"Test Ready", L"   8 Sectors", 0x13001513},
        {L"   8 KB Test", L"Test Ready", L"  16 Sectors", 0x13001514},
        {L"  16 KB Test", L"Test Ready", L"  32 Sectors", 0x13001515},
        {L"  32 KB Test", L"Test Ready", L"  64 Sectors", 0x13001516},
        {L"  64 KB Test", L"Test Ready", L" 128 Sectors", 0x13001517},
        {L" 128 KB Test", L"Test Not Ready", L" 256 Sectors", 0},
        {L" 256 KB Test", L"Test Not Ready", L" 512 Sectors", 0},
        {L" 512 KB Test", L"Test Not Ready", L"1024 Sectors", 0},
        {L"1024 KB Test", L"Test Not Ready", L"2048 Sectors", 0},
        {L"S37", L"Test Ready", L"", 0x1300151F},
    });
    // A size that cannot be tested says why, with the adapter's limit; the others say nothing.
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].refusal, i >= 7 && i <= 10 ? L"limit 128 blocks" : L"") << i;
    }
}

TEST(BlockSizeRows, Blocks2048StartAtOneBlockInTheSingular) {
    const ItemCode test = 0x22000000 | 0x1300;  // ATAPI CD-ROM, cache hit
    DetailRows rows;
    AppendBlockSizeRows(rows, texts, test, 300000, 2048, 65536, 32);
    ExpectRows(rows, {
        {L"   2 KB Test", L"Test Ready", L"   1 Sector", 0x22001310},
        {L"   4 KB Test", L"Test Ready", L"   2 Sectors", 0x22001311},
        {L"   8 KB Test", L"Test Ready", L"   4 Sectors", 0x22001312},
        {L"  16 KB Test", L"Test Ready", L"   8 Sectors", 0x22001313},
        {L"  32 KB Test", L"Test Ready", L"  16 Sectors", 0x22001314},
        {L"  64 KB Test", L"Test Ready", L"  32 Sectors", 0x22001315},
        {L" 128 KB Test", L"Test Not Ready", L"  64 Sectors", 0},
        {L" 256 KB Test", L"Test Not Ready", L" 128 Sectors", 0},
        {L" 512 KB Test", L"Test Not Ready", L" 256 Sectors", 0},
        {L"1024 KB Test", L"Test Not Ready", L" 512 Sectors", 0},
        {L"S37", L"Test Ready", L"", 0x2200131F},
    });
}

TEST(BlockSizeRows, NothingWithoutCapacityOrTransferLimit) {
    for (auto [lastLba, blockLength, maxBytes] : {std::tuple{0u, 512u, 65536u}, std::tuple{9u, 0u, 65536u},
                                                  std::tuple{9u, 512u, 0u}, std::tuple{9u, 4194304u, 65536u}}) {
        DetailRows rows;
        AppendBlockSizeRows(rows, texts, kDisk | 0x1500, lastLba, blockLength, maxBytes, 128);
        // A block larger than 1 MB lists no size, only the other-size entry.
        EXPECT_EQ(rows.size(), blockLength > 1048576 ? 1u : 0u);
    }
    DetailRows unprobed;  // a failed READ(10) probe: every size listed, none ready
    AppendBlockSizeRows(unprobed, texts, kDisk | 0x1500, 1000, 512, 65536, -1);
    ASSERT_EQ(unprobed.size(), 12u);
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(unprobed[i].code, 0u);
        EXPECT_EQ(unprobed[i].refusal, L"S602");  // no limit known
    }
}

TEST(BlockSizeRows, TinyBlocksStopAtTheLargestCodableSize) {
    DetailRows rows;
    AppendBlockSizeRows(rows, texts, kDisk | 0x1500, 1000, 16, 16777216, 1048576);
    ASSERT_EQ(rows.size(), 15u);  // 2^1 .. 2^14 blocks, then the other-size entry
    EXPECT_EQ(rows[13].code, kDisk | 0x151E);
    EXPECT_EQ(rows[13].remark, L"16384 Sectors");
    EXPECT_EQ(rows[14].code, kDisk | 0x151F);
}

TEST(BufferSizeRows, KilobytesAgainstTheDeviceBuffer) {
    DetailRows rows;
    AppendBufferSizeRows(rows, texts, kDisk | 0x1900, 65536 + 1023);
    ASSERT_EQ(rows.size(), 12u);
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(rows[k].code, k <= 6 ? (kDisk | 0x1900 | (0x10 + k)) : 0u) << k;
        EXPECT_EQ(rows[k].value, k <= 6 ? L"Test Ready" : L"Test Not Ready") << k;
    }
    EXPECT_EQ(rows[0].label, L"   1 KB Test");
    EXPECT_EQ(rows[10].label, L"1024 KB Test");
    EXPECT_EQ(rows[11].label, L"S37");
    EXPECT_EQ(rows[11].code, kDisk | 0x191F);
    EXPECT_EQ(rows[6].refusal, L"");
    EXPECT_EQ(rows[7].refusal, L"buffer 64 KB");

    DetailRows none;
    AppendBufferSizeRows(none, texts, kDisk | 0x1A00, 1023);
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(none[k].code, 0u);
    DetailRows unprobed;  // READ BUFFER's descriptor never answered
    AppendBufferSizeRows(unprobed, texts, kDisk | 0x1A00, -1);
    EXPECT_EQ(unprobed[0].refusal, L"S604");
}

TEST(TransferVariantRows, FourRangesOfOneSize) {
    DetailRows rows;
    AppendTransferVariantRows(rows, texts, kDisk | 0x1613, 1000, 512, L"Seq. Write Test(%d KB)");
    ASSERT_EQ(rows.size(), 4u);
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(rows[v].label, L"Seq. Write Test(4 KB)");
        EXPECT_EQ(rows[v].value, L"S" + std::to_wstring(38 + v));
        EXPECT_EQ(rows[v].code, kDisk | 0x1603 | (0x20 + 0x10 * v));
    }
    DetailRows big;
    AppendTransferVariantRows(big, texts, 0x22001710, 5, 2048, L"Rnd. Read Test(%d KB)");
    EXPECT_EQ(big[0].label, L"Rnd. Read Test(2 KB)");
    EXPECT_EQ(big[3].code, 0x22001750u);
}

TEST(TransferVariantRows, OtherSizeEntryHasOneRowAndNoCapacityNone) {
    DetailRows rows;
    AppendTransferVariantRows(rows, texts, kDisk | 0x171F, 1000, 512, L"%d");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].label, L"S37");
    EXPECT_EQ(rows[0].code, kDisk | 0x17FF);
    DetailRows none;
    AppendTransferVariantRows(none, texts, kDisk | 0x1711, 0, 512, L"%d");
    AppendTransferVariantRows(none, texts, kDisk | 0x1711, 10, 0, L"%d");
    EXPECT_TRUE(none.empty());
}

TEST(SeekRows, StandardAndOtherSize) {
    DetailRows rows;
    AppendSeekRows(rows, texts, kDisk | 0x1400);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].label, L"Seek Test");
    EXPECT_EQ(rows[0].value, L"S42");
    EXPECT_EQ(rows[0].code, kDisk | 0x1410);
    EXPECT_EQ(rows[1].value, L"S37");
    EXPECT_EQ(rows[1].code, kDisk | 0x141F);
}

}  // namespace
}  // namespace sektra
