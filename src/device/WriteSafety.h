#pragma once
// The check before a test overwrites a disk's blocks. A disk that holds data is refused: one
// with a partition table in its first blocks (read with the ordinary READ command, so every
// device answers it the same way), one on which Windows reports partitions or mounted volumes,
// and always the disk of the Windows system volume. A disk whose first blocks cannot be read is
// refused too: unknown contents count as data. The drive-buffer test writes no block and is not
// checked.
#include "device/Device.h"
#include "device/PartitionTable.h"
#include "device/WindowsDiskUse.h"

namespace sektra {

enum class WriteRefusal {
    None,            // no partition table found: the test may ask for its confirmation
    SystemDisk,      // the Windows system volume lies on the disk
    WindowsVolumes,  // Windows reports mounted volumes on the disk
    WindowsLayout,   // Windows reports partitions in the disk's drive layout
    Mbr,             // an MBR with partitions in block 0
    Gpt,             // a GPT header in block 1
    Unreadable,      // blocks 0 and 1 could not be read, so their contents are unknown
};

struct WriteSafetyVerdict {
    WriteRefusal refusal = WriteRefusal::None;
    unsigned count = 0;  // volumes, layout partitions or MBR partitions, as the refusal says
    bool Allowed() const { return refusal == WriteRefusal::None; }
};

// Judges from what was read and reported; no device access.
WriteSafetyVerdict JudgeDiskContents(const WindowsDiskUse& windows, bool blocksRead,
                                     const PartitionTableFinding& finding);

// Reads blocks 0 and 1 of the device, asks Windows, and judges.
WriteSafetyVerdict CheckDiskBeforeWriting(Device& device);

// The verdict in one English line for the console runner ("no partition table found", ...).
const char* DescribeWriteVerdict(const WriteSafetyVerdict& verdict);

}  // namespace sektra
