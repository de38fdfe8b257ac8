// The typed SCSI commands of Device: one command block each, sent in a request on the stack.
#include <cstring>

#include "device/ByteOrder.h"
#include "device/Device.h"

namespace sektra {

namespace {

// Short questions that neither touch the medium nor move much data.
constexpr std::uint32_t kTimeOutSeconds = 2;
// Anything that may have to spin a medium up, flushes a cache or moves more than 64 KiB: a
// time-out makes Windows reset the bus, so these get the time a sleeping disk needs to wake.
constexpr std::uint32_t kMediumTimeOutSeconds = 30;
// VERIFY reads back whole ranges inside the device and may take long.
constexpr std::uint32_t kVerifyTimeOutSeconds = 50;

// READ BUFFER and WRITE BUFFER: buffer ID, then offset and length in 24 bits each.
void BufferFields(std::uint8_t* cdb, std::uint8_t bufferId, std::uint32_t offset,
                  std::uint32_t length) {
    cdb[2] = bufferId;
    cdb[3] = static_cast<std::uint8_t>(offset >> 16);
    cdb[4] = static_cast<std::uint8_t>(offset >> 8);
    cdb[5] = static_cast<std::uint8_t>(offset);
    cdb[6] = static_cast<std::uint8_t>(length >> 16);
    cdb[7] = static_cast<std::uint8_t>(length >> 8);
    cdb[8] = static_cast<std::uint8_t>(length);
}

std::uint8_t Bit(bool value, int position) { return static_cast<std::uint8_t>(value ? 1u << position : 0u); }

}  // namespace

// Only the low 3 bits of lun fit in bits 5 to 7 of byte 1.
std::uint8_t Device::LunBits() const { return static_cast<std::uint8_t>(lun << 5); }

int Device::SendCommand(IoBuffer* io, const std::uint8_t* cdb, std::uint8_t cdbLength,
                        std::uint8_t dataIn, std::uint32_t timeOutSeconds) {
    ScsiRequest request;
    InitScsiRequest(&request, cdbLength, dataIn, io->data, io->length, timeOutSeconds);
    std::memcpy(request.sptd.Cdb, cdb, cdbLength);
    const int result = ExecutePassThrough(&request);
    std::memcpy(io->sense, request.sense, kSenseInfoLength);
    io->scsiStatus = request.sptd.ScsiStatus;
    io->transferred = request.sptd.DataTransferLength;
    return result;
}

int Device::RequestSense(IoBuffer* io, std::uint8_t allocationLength) {
    std::uint8_t cdb[6] = {0x03, LunBits(), 0, 0, allocationLength, 0};
    return SendCommand(io, cdb, 6, kScsiIoctlDataIn, kTimeOutSeconds);
}

int Device::FormatUnit(IoBuffer* io, bool fmtData, bool cmpList, std::uint8_t defectListFormat,
                       std::uint16_t interleave) {
    std::uint8_t cdb[6] = {0x04};
    cdb[1] = LunBits() | Bit(fmtData, 4) | Bit(cmpList, 3) | (defectListFormat & 7);
    StoreBigEndian16(cdb + 3, interleave);
    return SendCommand(io, cdb, 6, kScsiIoctlDataOut, kMediumTimeOutSeconds);
}

int Device::Inquiry(IoBuffer* io, bool cmdDt, bool evpd, std::uint8_t pageCode,
                    std::uint8_t allocationLength) {
    std::uint8_t cdb[6] = {0x12, static_cast<std::uint8_t>(LunBits() | Bit(cmdDt, 1) | Bit(evpd, 0)),
                           pageCode, 0, allocationLength, 0};
    return SendCommand(io, cdb, 6, kScsiIoctlDataIn, kTimeOutSeconds);
}

int Device::ReadCapacityCommand(IoBuffer* io, bool longForm, bool relAdr, bool pmi,
                                std::uint32_t lba) {
    std::uint8_t cdb[10] = {0x25};
    cdb[1] = LunBits() | Bit(longForm, 1) | Bit(relAdr, 0);
    StoreBigEndian32(cdb + 2, lba);
    cdb[8] = Bit(pmi, 0);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kTimeOutSeconds);
}

int Device::ReadCapacity16(IoBuffer* io, std::uint32_t allocationLength) {
    std::uint8_t cdb[16] = {0x9E, 0x10};
    StoreBigEndian32(cdb + 10, allocationLength);
    return SendCommand(io, cdb, 16, kScsiIoctlDataIn, kTimeOutSeconds);
}

namespace {

// READ(10), WRITE(10) and the verify commands share one block shape.
void TransferBlock(std::uint8_t* cdb, std::uint8_t opcode, std::uint8_t byte1, std::uint32_t lba,
                   std::uint16_t blocks) {
    cdb[0] = opcode;
    cdb[1] = byte1;
    StoreBigEndian32(cdb + 2, lba);
    StoreBigEndian16(cdb + 7, blocks);
}

}  // namespace

int Device::Read10(IoBuffer* io, bool dpo, bool fua, bool relAdr, std::uint32_t lba,
                   std::uint16_t blocks) {
    std::uint8_t cdb[10] = {};
    TransferBlock(cdb, 0x28, LunBits() | Bit(dpo, 4) | Bit(fua, 3) | Bit(relAdr, 0), lba, blocks);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kMediumTimeOutSeconds);
}

int Device::Write10(IoBuffer* io, bool dpo, bool fua, bool relAdr, std::uint32_t lba,
                    std::uint16_t blocks) {
    std::uint8_t cdb[10] = {};
    TransferBlock(cdb, 0x2A, LunBits() | Bit(dpo, 4) | Bit(fua, 3) | Bit(relAdr, 0), lba, blocks);
    return SendCommand(io, cdb, 10, kScsiIoctlDataOut, kMediumTimeOutSeconds);
}

// SEEK and SYNCHRONIZE CACHE move no data but still declare data-in with the caller's
// buffer and length (callers pass 0).
int Device::Seek10(IoBuffer* io, std::uint32_t lba) {
    std::uint8_t cdb[10] = {0x2B, LunBits()};
    StoreBigEndian32(cdb + 2, lba);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kMediumTimeOutSeconds);
}

int Device::WriteAndVerify10(IoBuffer* io, bool dpo, bool bytChk, bool relAdr, std::uint32_t lba,
                             std::uint16_t blocks) {
    std::uint8_t cdb[10] = {};
    TransferBlock(cdb, 0x2E, LunBits() | Bit(dpo, 4) | Bit(bytChk, 1) | Bit(relAdr, 0), lba, blocks);
    return SendCommand(io, cdb, 10, kScsiIoctlDataOut, kMediumTimeOutSeconds);
}

// Data-out although with bytChk 0 no data moves.
int Device::Verify10(IoBuffer* io, bool dpo, bool bytChk, bool relAdr, std::uint32_t lba,
                     std::uint16_t blocks) {
    std::uint8_t cdb[10] = {};
    TransferBlock(cdb, 0x2F, LunBits() | Bit(dpo, 4) | Bit(bytChk, 1) | Bit(relAdr, 0), lba, blocks);
    return SendCommand(io, cdb, 10, kScsiIoctlDataOut, kVerifyTimeOutSeconds);
}

int Device::SynchronizeCache10(IoBuffer* io, bool immed, bool relAdr, std::uint32_t lba,
                               std::uint16_t blocks) {
    std::uint8_t cdb[10] = {};
    TransferBlock(cdb, 0x35, LunBits() | Bit(immed, 1) | Bit(relAdr, 0), lba, blocks);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kMediumTimeOutSeconds);
}

int Device::ReadDefectData10(IoBuffer* io, bool plist, bool glist, std::uint8_t listFormat,
                             std::uint16_t allocationLength) {
    std::uint8_t cdb[10] = {0x37, LunBits()};
    cdb[2] = Bit(plist, 4) | Bit(glist, 3) | (listFormat & 7);
    StoreBigEndian16(cdb + 7, allocationLength);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kMediumTimeOutSeconds);
}

int Device::WriteBuffer(IoBuffer* io, std::uint8_t mode, std::uint8_t bufferId,
                        std::uint32_t offset, std::uint32_t length) {
    std::uint8_t cdb[10] = {0x3B, static_cast<std::uint8_t>(LunBits() | (mode & 0x0F))};
    BufferFields(cdb, bufferId, offset, length);
    return SendCommand(io, cdb, 10, kScsiIoctlDataOut, kMediumTimeOutSeconds);
}

int Device::ReadBuffer(IoBuffer* io, std::uint8_t mode, std::uint8_t bufferId,
                       std::uint32_t offset, std::uint32_t length) {
    std::uint8_t cdb[10] = {0x3C, static_cast<std::uint8_t>(LunBits() | (mode & 0x0F))};
    BufferFields(cdb, bufferId, offset, length);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kMediumTimeOutSeconds);
}

int Device::LogSense(IoBuffer* io, bool ppc, bool sp, std::uint8_t pageControl,
                     std::uint8_t pageCode, std::uint16_t parameterPointer,
                     std::uint16_t allocationLength) {
    std::uint8_t cdb[10] = {0x4D};
    cdb[1] = LunBits() | Bit(ppc, 1) | Bit(sp, 0);
    cdb[2] = static_cast<std::uint8_t>(((pageControl & 3) << 6) | (pageCode & 0x3F));
    StoreBigEndian16(cdb + 5, parameterPointer);
    StoreBigEndian16(cdb + 7, allocationLength);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kTimeOutSeconds);
}

int Device::ModeSense10(IoBuffer* io, bool llbaa, bool dbd, std::uint8_t pageControl,
                        std::uint8_t pageCode, std::uint16_t allocationLength) {
    std::uint8_t cdb[10] = {0x5A};
    cdb[1] = LunBits() | Bit(llbaa, 4) | Bit(dbd, 3);
    cdb[2] = static_cast<std::uint8_t>(((pageControl & 3) << 6) | (pageCode & 0x3F));
    StoreBigEndian16(cdb + 7, allocationLength);
    return SendCommand(io, cdb, 10, kScsiIoctlDataIn, kTimeOutSeconds);
}

}  // namespace sektra
