#pragma once
// What the first two blocks of a disk say about the data on it. An MBR counts when its boot
// signature 55h AAh is present and at least one of its four entries describes a partition (a
// type and a length); a GPT counts when block 1 starts with the header signature "EFI PART". A
// protective MBR (type EEh) in front of a damaged GPT header still counts as an MBR partition:
// the disk held a partition table, so its data are presumed to be there.
#include <cstddef>
#include <cstdint>

namespace sektra {

enum class PartitionScheme { None, Mbr, Gpt };

struct PartitionTableFinding {
    PartitionScheme scheme = PartitionScheme::None;
    unsigned mbrPartitions = 0;  // entries in use in the MBR (also for a GPT's protective MBR)
};

// block0 and block1 hold `blockLength` bytes each; blocks shorter than 512 bytes hold no MBR and
// are judged by block 1's signature only.
PartitionTableFinding FindPartitionTable(const std::uint8_t* block0, const std::uint8_t* block1,
                                         std::size_t blockLength);

}  // namespace sektra
