#pragma once
// The first blocks of demo disks that hold data: a classic MBR with two partitions, and a GPT
// (protective MBR, header in block 1, entry array from block 2) with one basic-data partition.
// Built as a partitioning tool writes them, checksums included, for disks of 512-byte blocks.
#include <cstdint>
#include <vector>

namespace sektra {

std::vector<std::uint8_t> MbrDiskImage(std::uint64_t blockCount);
std::vector<std::uint8_t> GptDiskImage(std::uint64_t blockCount);

}  // namespace sektra
