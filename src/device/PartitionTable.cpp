#include "device/PartitionTable.h"

#include <cstring>

namespace sektra {

namespace {

constexpr std::size_t kMbrSize = 512;
constexpr std::size_t kFirstEntry = 446;
constexpr std::size_t kEntrySize = 16;
constexpr char kGptSignature[8] = {'E', 'F', 'I', ' ', 'P', 'A', 'R', 'T'};

std::uint32_t LoadLittleEndian32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

unsigned CountMbrPartitions(const std::uint8_t* block0) {
    if (block0[510] != 0x55 || block0[511] != 0xAA) return 0;
    unsigned count = 0;
    for (int i = 0; i < 4; ++i) {
        const std::uint8_t* entry = block0 + kFirstEntry + i * kEntrySize;
        const std::uint8_t type = entry[4];
        const std::uint32_t sectors = LoadLittleEndian32(entry + 12);
        if (type != 0 && sectors != 0) ++count;
    }
    return count;
}

}  // namespace

PartitionTableFinding FindPartitionTable(const std::uint8_t* block0, const std::uint8_t* block1,
                                         std::size_t blockLength) {
    PartitionTableFinding finding;
    if (blockLength >= kMbrSize) finding.mbrPartitions = CountMbrPartitions(block0);
    if (blockLength >= sizeof(kGptSignature) && std::memcmp(block1, kGptSignature, sizeof(kGptSignature)) == 0) {
        finding.scheme = PartitionScheme::Gpt;
    } else if (finding.mbrPartitions > 0) {
        finding.scheme = PartitionScheme::Mbr;
    }
    return finding;
}

}  // namespace sektra
