#include "emulator/ScsiTarget.h"

#include <algorithm>
#include <cstring>

#include "emulator/ReservedBits.h"
#include "emulator/ScsiPages.h"

namespace sektra {

namespace {

std::uint32_t Be16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] << 8 | p[1]); }
std::uint32_t Be24(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] << 16 | p[1] << 8 | p[2]); }
std::uint32_t Be32(const std::uint8_t* p) { return Be24(p) << 8 | p[3]; }

// Makes the length field at `offset` (1 or 2 bytes) say what the fault asks for. `uncounted`
// is the number of reply bytes the field does not count (the header before and including it).
void ApplyLengthFault(Bytes& reply, std::size_t offset, int width, std::uint32_t uncounted,
                      std::uint32_t allocation, LengthFault fault) {
    if (fault == LengthFault::None || reply.size() < offset + width) return;
    const std::uint32_t max = width == 1 ? 0xFF : 0xFFFF;
    std::uint32_t value = 0;
    switch (fault) {
    case LengthFault::None:
    case LengthFault::Zero: value = 0; break;
    case LengthFault::Byte0xFF: value = 0xFF; break;
    case LengthFault::AllOnes: value = max; break;
    case LengthFault::BeyondAllocation:
        value = allocation + 64 > uncounted ? allocation + 64 - uncounted : 64;
        value = std::min(value, max);
        break;
    }
    PutBigEndian(&reply[offset], value, width);
}

// The command block length an operation code needs (by its group). Groups 3, 6 and 7 have no
// length of their own and no command here: they pass, to be refused as unknown operation codes.
std::uint8_t CdbLengthFor(std::uint8_t opcode) {
    switch (opcode >> 5) {
    case 0: return 6;
    case 1:
    case 2: return 10;
    case 4: return 16;
    case 5: return 12;
    default: return 1;
    }
}

}  // namespace

ScsiTarget::ScsiTarget(const DeviceConfig& config)
    : config_(config),
      store_(std::max<std::uint32_t>(config.blockLength, 1)),
      buffer_(config.bufferBytes, 0),
      model_(config.timing, config.blockCount, config.blockLength) {
    // The medium's first blocks as the device arrived, in whole blocks; a partial last block is
    // padded with zeros.
    const std::size_t length = config.initialBlocks.size();
    if (length > 0 && config.blockLength > 0 && config.blockCount > 0) {
        const std::uint64_t blocks = std::min<std::uint64_t>((length + config.blockLength - 1) / config.blockLength,
                                                             config.blockCount);
        std::vector<std::uint8_t> padded(blocks * config.blockLength, 0);
        std::memcpy(padded.data(), config.initialBlocks.data(), std::min<std::size_t>(length, padded.size()));
        store_.Write(0, blocks, padded.data());
    }
}

ScsiOutcome ScsiTarget::Fail(const SenseCode& sense) const {
    ScsiOutcome o;
    o.checkCondition = true;
    o.sense = sense;
    o.durationNs = model_.Other();
    return o;
}

ScsiOutcome ScsiTarget::Reply(const ScsiCommand& c, const Bytes& reply, std::uint32_t allocation) const {
    ScsiOutcome o;
    o.direction = DataDirection::In;
    o.replyPending = true;
    o.allowed = std::min(allocation, c.length);
    o.durationNs = model_.Other();
    // Data would flow into a buffer the caller declared as data-out: the port refuses that.
    if (o.allowed > 0 && !reply.empty() && !c.dataIn) o.refused = true;
    return o;
}

ScsiOutcome ScsiTarget::Execute(const ScsiCommand& c, Bytes& reply) {
    reply.clear();
    const std::uint8_t op = c.cdb[0];
    if (c.cdbLength < CdbLengthFor(op)) return Fail(kInvalidFieldInCdb);
    if (SetsReservedBit(c.cdb, c.cdbLength)) return Fail(kInvalidFieldInCdb);
    switch (op) {
    case 0x00: {  // TEST UNIT READY
        if (HasMedium() && !config_.mediumPresent) return Fail(kMediumNotPresent);
        ScsiOutcome o;
        o.durationNs = model_.Other();
        return o;
    }
    case 0x03:  // REQUEST SENSE: autosense delivers every error, so nothing is pending
        reply.assign(kFixedSenseLength, 0);
        FillFixedSense(reply.data(), SenseCode{});
        return Reply(c, reply, c.cdb[4]);
    case 0x04: return FormatUnit(c);
    case 0x12: return Inquiry(c, reply);
    case 0x25: return ReadCapacity(c, reply);
    case 0x28: return ReadWrite(c, false);
    case 0x2A: return ReadWrite(c, true);
    case 0x88: return ReadWrite(c, false);
    case 0x8A: return ReadWrite(c, true);
    case 0x2B: return Seek(c);
    case 0x2E: return ReadWrite(c, true);  // WRITE AND VERIFY(10): the medium never miscompares
    case 0x2F: return Verify(c);
    case 0x35: return SynchronizeCache(c);
    case 0x37: return ReadDefectData(c, reply);
    case 0x3B: return WriteBuffer(c);
    case 0x3C: return ReadBuffer(c, reply);
    case 0x4D: return LogSense(c, reply);
    case 0x5A: return ModeSense(c, reply);
    case 0x9E: return ReadCapacity16(c, reply);  // SERVICE ACTION IN(16)
    default: return Fail(kInvalidOpcode);
    }
}

ScsiOutcome ScsiTarget::Inquiry(const ScsiCommand& c, Bytes& reply) {
    const bool evpd = c.cdb[1] & 0x01;
    const bool cmdDt = c.cdb[1] & 0x02;
    const std::uint8_t page = c.cdb[2];
    const std::uint32_t allocation = Be16(&c.cdb[3]);
    if (cmdDt || (!evpd && page != 0)) return Fail(kInvalidFieldInCdb);
    if (!evpd) {
        reply = StandardInquiry(config_);
        ApplyLengthFault(reply, 4, 1, 5, allocation, replyFaults_.standardInquiry);
    } else {
        if (!VpdPage(config_, page, reply)) return Fail(kInvalidFieldInCdb);
        ApplyLengthFault(reply, 2, 2, 4, allocation, replyFaults_.vpdPage);
    }
    return Reply(c, reply, allocation);
}

ScsiOutcome ScsiTarget::ReadCapacity(const ScsiCommand& c, Bytes& reply) {
    if (!HasMedium()) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    const bool relAdr = c.cdb[1] & 0x01;
    const bool pmi = c.cdb[8] & 0x01;
    if (relAdr || (!pmi && Be32(&c.cdb[2]) != 0)) return Fail(kInvalidFieldInCdb);
    // Beyond 2^32 blocks the short reply says 0xFFFFFFFF: READ CAPACITY(16) has the rest.
    reply.assign(8, 0);
    PutBigEndian(&reply[0], std::min<std::uint64_t>(config_.blockCount - 1, 0xFFFFFFFFull), 4);
    PutBigEndian(&reply[4], config_.blockLength, 4);
    return Reply(c, reply, static_cast<std::uint32_t>(reply.size()));
}

ScsiOutcome ScsiTarget::ReadCapacity16(const ScsiCommand& c, Bytes& reply) {
    constexpr std::uint8_t kReadCapacity16 = 0x10;
    if ((c.cdb[1] & 0x1F) != kReadCapacity16) return Fail(kInvalidFieldInCdb);
    if (!HasMedium()) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    const bool pmi = c.cdb[14] & 0x01;
    std::uint64_t lba = 0;
    for (int i = 2; i < 10; ++i) lba = lba << 8 | c.cdb[i];
    if (!pmi && lba != 0) return Fail(kInvalidFieldInCdb);
    reply = ReadCapacity16Data(config_);
    return Reply(c, reply, Be32(&c.cdb[10]));
}

ScsiOutcome ScsiTarget::ReadWrite(const ScsiCommand& c, bool write) {
    if (!HasMedium()) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    if (write && config_.readOnly) return Fail(kWriteProtected);
    // READ(10)/WRITE(10): 32-bit address in bytes 2-5, 16-bit count in 7-8; READ(16)/WRITE(16):
    // 64-bit address in bytes 2-9, 32-bit count in 10-13.
    const bool sixteen = c.cdb[0] == 0x88 || c.cdb[0] == 0x8A;
    if (!sixteen && (c.cdb[1] & 0x01)) return Fail(kInvalidFieldInCdb);  // relative addressing
    const std::uint64_t lba = sixteen ? std::uint64_t{Be32(&c.cdb[2])} << 32 | Be32(&c.cdb[6]) : Be32(&c.cdb[2]);
    const std::uint32_t blocks = sixteen ? Be32(&c.cdb[10]) : Be16(&c.cdb[7]);
    const bool fua = c.cdb[1] & 0x08;
    if (lba >= config_.blockCount || blocks > config_.blockCount - lba) return Fail(kLbaOutOfRange);
    ScsiOutcome o;
    o.lba = lba;
    o.blocks = blocks;
    o.direction = write ? DataDirection::Out : DataDirection::In;
    const std::uint64_t bytes = static_cast<std::uint64_t>(blocks) * config_.blockLength;
    // More data than the request's buffer holds, or data against the declared direction:
    // the port driver fails the request and nothing moves.
    if (bytes > c.length || (bytes > 0 && (c.dataIn == write || c.data == nullptr))) {
        o.refused = true;
        return o;
    }
    if (write) {
        store_.Write(lba, blocks, c.data);
        o.durationNs = model_.Write(lba, blocks);
    } else {
        store_.Read(lba, blocks, c.data);
        o.durationNs = model_.Read(lba, blocks, fua);
    }
    o.transferred = static_cast<std::uint32_t>(bytes);
    return o;
}

ScsiOutcome ScsiTarget::Verify(const ScsiCommand& c) {
    if (!HasMedium()) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    if (c.cdb[1] & 0x01) return Fail(kInvalidFieldInCdb);
    const bool bytChk = c.cdb[1] & 0x02;
    const std::uint64_t lba = Be32(&c.cdb[2]);
    const std::uint32_t blocks = Be16(&c.cdb[7]);
    if (lba >= config_.blockCount || lba + blocks > config_.blockCount) return Fail(kLbaOutOfRange);
    ScsiOutcome o;
    o.lba = lba;
    o.blocks = blocks;
    if (bytChk) {
        o.direction = DataDirection::Out;
        const std::uint64_t bytes = static_cast<std::uint64_t>(blocks) * config_.blockLength;
        if (bytes > c.length || (bytes > 0 && (c.dataIn || c.data == nullptr))) {
            o.refused = true;
            return o;
        }
        std::vector<std::uint8_t> stored(bytes);
        store_.Read(lba, blocks, stored.data());
        o.transferred = static_cast<std::uint32_t>(bytes);
        if (bytes > 0 && std::memcmp(stored.data(), c.data, bytes) != 0) {
            ScsiOutcome f = Fail(kMiscompareDuringVerify);
            f.lba = lba;
            f.blocks = blocks;
            f.direction = o.direction;
            f.transferred = o.transferred;
            f.durationNs = model_.Verify(lba, blocks);
            return f;
        }
    }
    o.durationNs = model_.Verify(lba, blocks);
    return o;
}

ScsiOutcome ScsiTarget::Seek(const ScsiCommand& c) {
    if (!HasMedium() || !config_.supportsSeek) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    const std::uint64_t lba = Be32(&c.cdb[2]);
    if (lba >= config_.blockCount) return Fail(kLbaOutOfRange);
    ScsiOutcome o;
    o.lba = lba;
    o.durationNs = model_.Seek(lba);
    return o;
}

ScsiOutcome ScsiTarget::SynchronizeCache(const ScsiCommand& c) {
    if (!HasMedium()) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    const std::uint64_t lba = Be32(&c.cdb[2]);
    const std::uint32_t blocks = Be16(&c.cdb[7]);  // 0: up to the last block
    if (lba >= config_.blockCount || lba + blocks > config_.blockCount) return Fail(kLbaOutOfRange);
    ScsiOutcome o;
    o.lba = lba;
    o.blocks = blocks;
    o.durationNs = model_.Other();
    return o;
}

ScsiOutcome ScsiTarget::FormatUnit(const ScsiCommand& c) {
    (void)c;
    if (!HasMedium() || config_.peripheralType != 0) return Fail(kInvalidOpcode);
    if (!config_.mediumPresent) return Fail(kMediumNotPresent);
    if (config_.readOnly) return Fail(kWriteProtected);
    // A parameter list (fmtData) is accepted and ignored: the format always uses the defaults.
    store_.Clear();
    ScsiOutcome o;
    o.durationNs = model_.Other();
    return o;
}

ScsiOutcome ScsiTarget::ReadBuffer(const ScsiCommand& c, Bytes& reply) {
    if (buffer_.empty()) return Fail(kInvalidOpcode);
    const std::uint8_t mode = c.cdb[1] & 0x1F;
    const std::uint8_t id = c.cdb[2];
    const std::uint32_t offset = Be24(&c.cdb[3]);
    const std::uint32_t length = Be24(&c.cdb[6]);
    if (id != 0) return Fail(kInvalidFieldInCdb);
    if (mode == 0x03) {  // descriptor: offset boundary (byte) and buffer capacity
        reply = {0x00, 0, 0, 0};
        PutBigEndian(&reply[1], std::min<std::uint64_t>(buffer_.size(), 0xFFFFFF), 3);
        return Reply(c, reply, length);
    }
    if (mode != 0x02) return Fail(kInvalidFieldInCdb);
    if (static_cast<std::uint64_t>(offset) + length > buffer_.size()) return Fail(kInvalidFieldInCdb);
    ScsiOutcome o;
    o.direction = DataDirection::In;
    if (length > c.length || (length > 0 && (!c.dataIn || c.data == nullptr))) {
        o.refused = true;
        return o;
    }
    std::memcpy(c.data, buffer_.data() + offset, length);
    o.transferred = length;
    o.durationNs = model_.BufferTransfer(length);
    return o;
}

ScsiOutcome ScsiTarget::WriteBuffer(const ScsiCommand& c) {
    if (buffer_.empty()) return Fail(kInvalidOpcode);
    const std::uint8_t mode = c.cdb[1] & 0x1F;
    const std::uint8_t id = c.cdb[2];
    const std::uint32_t offset = Be24(&c.cdb[3]);
    const std::uint32_t length = Be24(&c.cdb[6]);
    if (mode != 0x02 || id != 0) return Fail(kInvalidFieldInCdb);
    if (static_cast<std::uint64_t>(offset) + length > buffer_.size()) return Fail(kInvalidFieldInCdb);
    ScsiOutcome o;
    o.direction = DataDirection::Out;
    if (length > c.length || (length > 0 && (c.dataIn || c.data == nullptr))) {
        o.refused = true;
        return o;
    }
    std::memcpy(buffer_.data() + offset, c.data, length);
    o.transferred = length;
    o.durationNs = model_.BufferTransfer(length);
    return o;
}

ScsiOutcome ScsiTarget::LogSense(const ScsiCommand& c, Bytes& reply) {
    if (config_.logPages.empty()) return Fail(kInvalidOpcode);
    if (c.cdb[1] & 0x03) return Fail(kInvalidFieldInCdb);  // PPC and SP are not supported
    const std::uint8_t pageControl = c.cdb[2] >> 6;
    const std::uint8_t page = c.cdb[2] & 0x3F;
    const std::uint16_t pointer = static_cast<std::uint16_t>(Be16(&c.cdb[5]));
    const std::uint32_t allocation = Be16(&c.cdb[7]);
    if (!LogPage(config_, page, pageControl, pointer, reply)) return Fail(kInvalidFieldInCdb);
    ApplyLengthFault(reply, 2, 2, 4, allocation, replyFaults_.logPage);
    return Reply(c, reply, allocation);
}

ScsiOutcome ScsiTarget::ModeSense(const ScsiCommand& c, Bytes& reply) {
    if (config_.modePages.empty()) return Fail(kInvalidOpcode);
    const bool llbaa = c.cdb[1] & 0x10;
    const bool dbd = c.cdb[1] & 0x08;
    const std::uint8_t pageControl = c.cdb[2] >> 6;
    const std::uint8_t page = c.cdb[2] & 0x3F;
    const std::uint32_t allocation = Be16(&c.cdb[7]);
    if (c.cdb[3] != 0) return Fail(kInvalidFieldInCdb);  // no subpages
    if (!ModeSense10Data(config_, llbaa, dbd, pageControl, page, reply)) return Fail(kInvalidFieldInCdb);
    ApplyLengthFault(reply, 0, 2, 2, allocation, replyFaults_.modeData);
    ApplyLengthFault(reply, 6, 2, 8, allocation, replyFaults_.modeBlockDescriptors);
    return Reply(c, reply, allocation);
}

ScsiOutcome ScsiTarget::ReadDefectData(const ScsiCommand& c, Bytes& reply) {
    if (!config_.supportsDefectData || !HasMedium()) return Fail(kInvalidOpcode);
    const bool plist = c.cdb[2] & 0x10;
    const bool glist = c.cdb[2] & 0x08;
    const std::uint8_t format = c.cdb[2] & 0x07;
    const std::uint32_t allocation = Be16(&c.cdb[7]);
    reply = DefectData(config_, plist, glist);
    ApplyLengthFault(reply, 2, 2, 4, allocation, replyFaults_.defectList);
    ScsiOutcome o = Reply(c, reply, allocation);
    if (format != 0x05) {
        // Only the physical-sector format exists: the list comes in it, with RECOVERED ERROR.
        o.checkCondition = true;
        o.sense = kDefectListNotFound;
    }
    return o;
}

}  // namespace sektra
