#include "device/WriteSafety.h"

#include "device/CommandOutcome.h"
#include "device/PageBuffer.h"

namespace sektra {

namespace {

// Blocks outside this range are not ones a partition table is written in; such a disk cannot
// be checked and is refused.
constexpr std::uint32_t kSmallestBlock = 512;
constexpr std::uint32_t kLargestBlock = 65536;

}  // namespace

WriteSafetyVerdict JudgeDiskContents(const WindowsDiskUse& windows, bool blocksRead,
                                     const PartitionTableFinding& finding) {
    if (windows.holdsSystemVolume) return {WriteRefusal::SystemDisk, 0};
    if (windows.volumes > 0) return {WriteRefusal::WindowsVolumes, windows.volumes};
    if (windows.layoutPartitions > 0) return {WriteRefusal::WindowsLayout, windows.layoutPartitions};
    if (!blocksRead) return {WriteRefusal::Unreadable, 0};
    switch (finding.scheme) {
    case PartitionScheme::Gpt: return {WriteRefusal::Gpt, 0};
    case PartitionScheme::Mbr: return {WriteRefusal::Mbr, finding.mbrPartitions};
    case PartitionScheme::None: break;
    }
    return {};
}

WriteSafetyVerdict CheckDiskBeforeWriting(Device& device) {
    const WindowsDiskUse windows = QueryWindowsDiskUse(device);
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    bool blocksRead = false;
    PartitionTableFinding finding;
    if (device.GetCapacity(&lastLba, &blockLength) == 0 && lastLba >= 1 && blockLength >= kSmallestBlock &&
        blockLength <= kLargestBlock) {
        PageBuffer buffer(2 * std::size_t{blockLength});
        if (buffer.Data() != nullptr) {
            IoBuffer io{buffer.Data(), 2 * blockLength, {}};
            const int result = device.Read10(&io, false, false, false, 0, 2);
            // A short transfer leaves part of the blocks unknown, and unknown counts as data.
            blocksRead = Clean(result, io) && io.transferred >= 2 * blockLength;
            if (blocksRead) {
                const auto* bytes = static_cast<const std::uint8_t*>(buffer.Data());
                finding = FindPartitionTable(bytes, bytes + blockLength, blockLength);
            }
        }
    }
    return JudgeDiskContents(windows, blocksRead, finding);
}

const char* DescribeWriteVerdict(const WriteSafetyVerdict& verdict) {
    switch (verdict.refusal) {
    case WriteRefusal::None: return "no partition table found";
    case WriteRefusal::SystemDisk: return "the disk holds the Windows system volume";
    case WriteRefusal::WindowsVolumes: return "Windows reports mounted volumes on the disk";
    case WriteRefusal::WindowsLayout: return "Windows reports partitions on the disk";
    case WriteRefusal::Mbr: return "the disk holds an MBR partition table";
    case WriteRefusal::Gpt: return "the disk holds a GPT partition table";
    case WriteRefusal::Unreadable: return "the first blocks could not be read, so the disk may hold data";
    }
    return "";
}

}  // namespace sektra
