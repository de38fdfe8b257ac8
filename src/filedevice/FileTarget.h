#pragma once
// The SCSI side of a file-backed device: a direct-access disk of 512-byte blocks whose
// capacity is the file's size in whole blocks and whose READ(10) and WRITE(10) really move the
// file's bytes. It answers INQUIRY (standard data), READ CAPACITY in both forms and TEST UNIT
// READY; every other operation code ends in ILLEGAL REQUEST, invalid operation code.
#include <cstdint>
#include <vector>

#include "emulator/DeviceConfig.h"
#include "emulator/ScsiSense.h"
#include "filedevice/UnbufferedFile.h"

namespace sektra {

struct FileCommand {
    const std::uint8_t* cdb = nullptr;  // 16 bytes readable
    std::uint8_t cdbLength = 0;
    bool dataIn = false;
    std::uint8_t* data = nullptr;
    std::uint32_t length = 0;  // DataTransferLength
};

struct FileOutcome {
    // The request itself is unacceptable (buffer too small or misaligned, wrong direction):
    // the control call fails and nothing moves. `reason` says why.
    bool refused = false;
    const char* reason = "";
    bool checkCondition = false;
    SenseCode sense;
    std::uint32_t transferred = 0;
};

class FileTarget {
public:
    static constexpr std::uint32_t kBlockLength = 512;

    // `file` stays owned by the caller and open while the target is used.
    explicit FileTarget(UnbufferedFile& file);

    std::uint64_t BlockCount() const { return blockCount_; }
    const DeviceConfig& Identity() const { return identity_; }

    FileOutcome Execute(const FileCommand& command);

private:
    FileOutcome Inquiry(const FileCommand& c) const;
    FileOutcome ReadCapacity(const FileCommand& c) const;
    FileOutcome ReadCapacity16(const FileCommand& c) const;
    FileOutcome ReadWrite(const FileCommand& c, bool write);
    FileOutcome Reply(const FileCommand& c, const std::vector<std::uint8_t>& reply, std::uint32_t allocation) const;

    UnbufferedFile& file_;
    const std::uint64_t blockCount_;
    DeviceConfig identity_;
};

}  // namespace sektra
