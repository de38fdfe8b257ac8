#include "filedevice/FileTarget.h"

#include <algorithm>
#include <cstring>

#include "device/ByteOrder.h"
#include "device/StorageStructs.h"
#include "emulator/ScsiPages.h"

namespace sektra {

namespace {

constexpr SenseCode kUnrecoveredReadError{0x03, 0x11, 0x00};
constexpr SenseCode kWriteError{0x03, 0x0C, 0x00};

FileOutcome Check(const SenseCode& sense) {
    FileOutcome o;
    o.checkCondition = true;
    o.sense = sense;
    return o;
}

FileOutcome Refuse(const char* reason) {
    FileOutcome o;
    o.refused = true;
    o.reason = reason;
    return o;
}

}  // namespace

FileTarget::FileTarget(UnbufferedFile& file) : file_(file), blockCount_(file.Size() / kBlockLength) {
    identity_.peripheralType = 0;
    identity_.busType = kBusTypeFileBackedVirtual;
    identity_.vendor = "SEKTRA";
    identity_.product = "FILE DEVICE";
    identity_.revision = "1.00";
    identity_.blockCount = blockCount_;
    identity_.blockLength = kBlockLength;
    identity_.readOnly = !file.IsWritable();
}

FileOutcome FileTarget::Execute(const FileCommand& c) {
    const std::uint8_t op = c.cdb[0];
    // Group 0 commands are 6 bytes long, groups 1 and 2 are 10.
    if (c.cdbLength < (op < 0x20 ? 6 : 10)) return Check(kInvalidFieldInCdb);
    switch (op) {
    case 0x00:  // TEST UNIT READY
        return FileOutcome{};
    case 0x12: return Inquiry(c);
    case 0x25: return ReadCapacity(c);
    case 0x9E: return ReadCapacity16(c);  // SERVICE ACTION IN(16)
    case 0x28: return ReadWrite(c, false);
    case 0x2A: return ReadWrite(c, true);
    default: return Check(kInvalidOpcode);
    }
}

FileOutcome FileTarget::Reply(const FileCommand& c, const std::vector<std::uint8_t>& reply,
                              std::uint32_t allocation) const {
    const std::uint32_t n = std::min<std::uint32_t>({static_cast<std::uint32_t>(reply.size()), allocation, c.length});
    if (n == 0) return FileOutcome{};
    if (!c.dataIn || c.data == nullptr) return Refuse("data-in reply to a request without a data-in buffer");
    std::memcpy(c.data, reply.data(), n);
    FileOutcome o;
    o.transferred = n;
    return o;
}

FileOutcome FileTarget::Inquiry(const FileCommand& c) const {
    const bool evpd = c.cdb[1] & 0x01;
    const bool cmdDt = c.cdb[1] & 0x02;
    const std::uint8_t page = c.cdb[2];
    const std::uint32_t allocation = LoadBigEndian16(&c.cdb[3]);
    if (cmdDt || (!evpd && page != 0)) return Check(kInvalidFieldInCdb);
    std::vector<std::uint8_t> reply;
    if (!evpd) {
        reply = StandardInquiry(identity_);
    } else if (!VpdPage(identity_, page, reply)) {
        return Check(kInvalidFieldInCdb);
    }
    return Reply(c, reply, allocation);
}

FileOutcome FileTarget::ReadCapacity(const FileCommand& c) const {
    if (blockCount_ == 0) return Check(kMediumNotPresent);  // a file smaller than one block
    // Byte 1 bit 1 is reserved (it once asked for a "long form"): refused like any other.
    const bool reserved = c.cdb[1] & 0xFE;
    const bool relAdr = c.cdb[1] & 0x01;
    const bool pmi = c.cdb[8] & 0x01;
    if (reserved || relAdr || (!pmi && LoadBigEndian32(&c.cdb[2]) != 0)) return Check(kInvalidFieldInCdb);
    // Beyond 2^32 blocks the short reply says 0xFFFFFFFF and the caller asks READ CAPACITY(16).
    std::vector<std::uint8_t> reply(8, 0);
    PutBigEndian(&reply[0], std::min<std::uint64_t>(blockCount_ - 1, 0xFFFFFFFFull), 4);
    PutBigEndian(&reply[4], kBlockLength, 4);
    return Reply(c, reply, static_cast<std::uint32_t>(reply.size()));
}

FileOutcome FileTarget::ReadCapacity16(const FileCommand& c) const {
    if (c.cdbLength < 16 || (c.cdb[1] & 0x1F) != 0x10) return Check(kInvalidFieldInCdb);
    if (blockCount_ == 0) return Check(kMediumNotPresent);
    return Reply(c, ReadCapacity16Data(identity_), LoadBigEndian32(&c.cdb[10]));
}

FileOutcome FileTarget::ReadWrite(const FileCommand& c, bool write) {
    if (c.cdb[1] & 0x01) return Check(kInvalidFieldInCdb);  // relative addressing
    const std::uint64_t lba = LoadBigEndian32(&c.cdb[2]);
    const std::uint32_t blocks = LoadBigEndian16(&c.cdb[7]);
    // The range check comes before anything else, so nothing outside the file is ever touched.
    if (lba >= blockCount_ || lba + blocks > blockCount_) {
        return Check(kLbaOutOfRange);
    }
    if (write && !file_.IsWritable()) return Check(kWriteProtected);
    const std::uint32_t bytes = blocks * kBlockLength;
    if (bytes == 0) return FileOutcome{};
    if (bytes > c.length) return Refuse("data buffer shorter than the blocks of the command");
    if (c.data == nullptr || c.dataIn == write) return Refuse("data direction does not match the command");
    if (reinterpret_cast<std::uintptr_t>(c.data) % UnbufferedFile::kTransferAlignment != 0) {
        return Refuse("data buffer not aligned to 4096 bytes, as unbuffered file transfers need");
    }
    const std::uint64_t offset = lba * kBlockLength;
    const bool ok = write ? file_.WriteAt(offset, c.data, bytes) : file_.ReadAt(offset, c.data, bytes);
    if (!ok) return Check(write ? kWriteError : kUnrecoveredReadError);
    FileOutcome o;
    o.transferred = bytes;
    return o;
}

}  // namespace sektra
