#include "decode/AtaIdentifyFields.h"

#include "decode/ReplyBytes.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr std::size_t kBlockSize = 512;

// Words 82-84 and 85-87 are valid when word 83 (or 86) has bit 14 set and bit 15 clear.
bool Valid(std::uint16_t word) { return (word & 0xC000) == 0x4000; }

std::wstring SupportedEnabled(bool supported, bool enabled) {
    if (!supported) return L"非対応";
    return enabled ? L"対応 (有効)" : L"対応 (無効)";
}

class IdentifyDecoder {
public:
    IdentifyDecoder(const std::uint8_t* block, std::size_t length) : block_(block), b_(block, length) {}

    DecodedFields Decode() {
        Text(IDS_FIELD_MODEL, 27, 20);
        Text(IDS_FIELD_SERIAL, 10, 10);
        Text(IDS_FIELD_FIRMWARE, 23, 4);
        Capacity();
        Features();
        Rotation();
        Sata();
        Integrity();
        return std::move(fields_);
    }

private:
    void Add(unsigned label, std::wstring value) { fields_.push_back(DecodedField{label, std::move(value)}); }

    void Text(unsigned label, std::size_t firstWord, std::size_t words) {
        if (b_.Has(2 * firstWord, 2 * words)) Add(label, b_.AtaText(firstWord, words));
    }

    // Logical sector size in bytes: words 117-118 count words when word 106 says the
    // logical sector is longer than 256 words.
    std::uint64_t LogicalSectorBytes() const {
        if (!b_.HasWord(106) || !Valid(b_.Word(106)) || !(b_.Word(106) & 0x1000) || !b_.Has(2 * 117, 4)) return 512;
        const std::uint64_t words = b_.Le(2 * 117, 4);
        return words == 0 ? 512 : 2 * words;
    }

    void Capacity() {
        const std::uint64_t logical = LogicalSectorBytes();
        std::uint64_t sectors = 0;
        if (b_.Has(2 * 60, 4)) {
            sectors = b_.Le(2 * 60, 4);
            Add(IDS_FIELD_LBA28, DecimalText(sectors));
        }
        const bool lba48 = b_.HasWord(83) && Valid(b_.Word(83)) && (b_.Word(83) & 0x0400);
        if (lba48 && b_.Has(2 * 100, 8)) {
            const std::uint64_t sectors48 = b_.Le(2 * 100, 8);
            Add(IDS_FIELD_LBA48, DecimalText(sectors48));
            if (sectors48 > sectors) sectors = sectors48;
        }
        if (sectors != 0) {
            Add(IDS_FIELD_CAPACITY, BytesText(Multiply128(sectors, logical)));
        }
        if (!b_.HasWord(106)) return;
        Add(IDS_FIELD_LOGICAL_SECTOR, WithUnit(logical, L"バイト"));
        const std::uint16_t w106 = b_.Word(106);
        // Bits 3-0: the physical sector holds 2^n logical sectors, when bit 13 says so.
        const unsigned exponent = Valid(w106) && (w106 & 0x2000) ? (w106 & 0x0F) : 0;
        Add(IDS_FIELD_PHYSICAL_SECTOR, WithUnit(logical << exponent, L"バイト"));
    }

    void Features() {
        if (b_.HasWord(169)) Add(IDS_FIELD_TRIM, (b_.Word(169) & 0x0001) ? L"対応" : L"非対応");
        if (!b_.HasWord(85) || !b_.HasWord(83) || !Valid(b_.Word(83))) return;
        const std::uint16_t supported = b_.Word(82);
        const std::uint16_t enabled = b_.Word(85);
        Add(IDS_FIELD_SMART, SupportedEnabled(supported & 0x0001, enabled & 0x0001));
        Add(IDS_FIELD_WRITE_CACHE, SupportedEnabled(supported & 0x0020, enabled & 0x0020));
    }

    void Rotation() {
        if (!b_.HasWord(217)) return;
        const std::uint16_t rate = b_.Word(217);
        if (rate == 1) Add(IDS_FIELD_ROTATION, L"回転しない媒体 (SSD)");
        else if (rate >= 0x0401 && rate <= 0xFFFE) Add(IDS_FIELD_ROTATION, WithUnit(rate, L"rpm"));
        else Add(IDS_FIELD_ROTATION, L"報告なし");
    }

    // Word 76: bit 1 Gen1 (1.5 Gb/s), bit 2 Gen2 (3.0), bit 3 Gen3 (6.0); 0 and FFFFh mean
    // a device that is not SATA.
    void Sata() {
        if (!b_.HasWord(76)) return;
        const std::uint16_t w76 = b_.Word(76);
        if (w76 == 0 || w76 == 0xFFFF) return;
        if (w76 & 0x0008) Add(IDS_FIELD_SATA, L"Gen3 (6.0 Gb/s)");
        else if (w76 & 0x0004) Add(IDS_FIELD_SATA, L"Gen2 (3.0 Gb/s)");
        else if (w76 & 0x0002) Add(IDS_FIELD_SATA, L"Gen1 (1.5 Gb/s)");
    }

    void Integrity() {
        if (!b_.Has(0, kBlockSize)) return;
        switch (CheckAtaIntegrity(block_, b_.Size())) {
            case AtaIntegrity::Absent: Add(IDS_FIELD_INTEGRITY, L"なし"); break;
            case AtaIntegrity::Valid: Add(IDS_FIELD_INTEGRITY, L"正常"); break;
            case AtaIntegrity::Invalid: Add(IDS_FIELD_INTEGRITY, L"チェックサム不一致 (データが壊れている可能性があります)"); break;
        }
    }

    const std::uint8_t* block_;
    ReplyBytes b_;
    DecodedFields fields_;
};

}  // namespace

AtaIntegrity CheckAtaIntegrity(const std::uint8_t* block, std::size_t length) {
    if (block == nullptr || length < kBlockSize || block[510] != 0xA5) return AtaIntegrity::Absent;
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < kBlockSize; ++i) sum = static_cast<std::uint8_t>(sum + block[i]);
    return sum == 0 ? AtaIntegrity::Valid : AtaIntegrity::Invalid;
}

DecodedFields DecodeAtaIdentify(const std::uint8_t* block, std::size_t length) {
    return IdentifyDecoder(block, length).Decode();
}

}  // namespace sektra
