#include "emulator/PartitionImages.h"

#include <cstring>

namespace sektra {

namespace {

constexpr std::size_t kBlock = 512;
constexpr std::uint32_t kGptEntries = 128;
constexpr std::uint32_t kGptEntrySize = 128;
constexpr std::uint64_t kGptEntryBlocks = kGptEntries * kGptEntrySize / kBlock;  // 32

void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put64(std::uint8_t* p, std::uint64_t v) {
    for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// CRC-32 (IEEE 802.3, reflected), as the GPT header and entry array carry it.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t length) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// One MBR entry in LBA terms; the CHS fields hold the "beyond CHS" marker FE FF FF.
void MbrEntry(std::uint8_t* block0, int index, std::uint8_t type, std::uint32_t first, std::uint32_t count) {
    std::uint8_t* e = block0 + 446 + 16 * index;
    e[0] = 0x00;
    e[1] = 0xFE; e[2] = 0xFF; e[3] = 0xFF;
    e[4] = type;
    e[5] = 0xFE; e[6] = 0xFF; e[7] = 0xFF;
    Put32(e + 8, first);
    Put32(e + 12, count);
}

void BootSignature(std::uint8_t* block0) {
    block0[510] = 0x55;
    block0[511] = 0xAA;
}

std::uint32_t Clamp32(std::uint64_t v) { return v > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(v); }

// A GUID in its on-disk form (first three fields little-endian), from its text-form fields.
void PutGuid(std::uint8_t* p, std::uint32_t a, std::uint16_t b, std::uint16_t c, std::uint64_t d) {
    Put32(p, a);
    Put16(p + 4, b);
    Put16(p + 6, c);
    for (int i = 0; i < 8; ++i) p[8 + i] = static_cast<std::uint8_t>(d >> (56 - 8 * i));
}

}  // namespace

std::vector<std::uint8_t> MbrDiskImage(std::uint64_t blockCount) {
    std::vector<std::uint8_t> image(kBlock);
    Put32(image.data() + 440, 0x534B5452);  // disk signature
    const std::uint32_t half = Clamp32((blockCount - 2048) / 2);
    MbrEntry(image.data(), 0, 0x07, 2048, half);         // NTFS / exFAT
    MbrEntry(image.data(), 1, 0x0C, 2048 + half, half);  // FAT32 (LBA)
    BootSignature(image.data());
    return image;
}

std::vector<std::uint8_t> GptDiskImage(std::uint64_t blockCount) {
    const std::uint64_t lastLba = blockCount - 1;
    std::vector<std::uint8_t> image(kBlock * (2 + kGptEntryBlocks));
    std::uint8_t* mbr = image.data();
    MbrEntry(mbr, 0, 0xEE, 1, Clamp32(lastLba));
    BootSignature(mbr);

    std::uint8_t* entries = image.data() + 2 * kBlock;
    const std::uint64_t firstUsable = 2 + kGptEntryBlocks;
    const std::uint64_t lastUsable = lastLba - 1 - kGptEntryBlocks;
    PutGuid(entries, 0xEBD0A0A2, 0xB9E5, 0x4433, 0x87C068B6B72699C7ull);  // basic data
    PutGuid(entries + 16, 0x5345544B, 0x5241, 0x4445, 0x4D4F475054303031ull);
    Put64(entries + 32, 2048);
    Put64(entries + 40, lastUsable);
    const char16_t name[] = u"SEKTRA DEMO DATA";
    for (std::size_t i = 0; name[i] != 0; ++i) Put16(entries + 56 + 2 * i, static_cast<std::uint16_t>(name[i]));

    std::uint8_t* header = image.data() + kBlock;
    std::memcpy(header, "EFI PART", 8);
    Put32(header + 8, 0x00010000);  // revision 1.0
    Put32(header + 12, 92);
    Put64(header + 24, 1);
    Put64(header + 32, lastLba);
    Put64(header + 40, firstUsable);
    Put64(header + 48, lastUsable);
    PutGuid(header + 56, 0x5345544B, 0x5241, 0x4449, 0x534B475054303031ull);
    Put64(header + 72, 2);
    Put32(header + 80, kGptEntries);
    Put32(header + 84, kGptEntrySize);
    Put32(header + 88, Crc32(entries, kGptEntries * kGptEntrySize));
    Put32(header + 16, Crc32(header, 92));
    return image;
}

}  // namespace sektra
