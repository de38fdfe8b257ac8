// How large a device is, and the two probes of what it transfers in one command.
#include "device/ByteOrder.h"
#include "device/Device.h"
#include "device/PageBuffer.h"
#include "device/CommandOutcome.h"

#include <cstdint>

namespace sektra {

namespace {

// READ BUFFER carries its length in 24 bits, READ(10) its block count in 16.
constexpr std::uint32_t kMaxBufferCommandLength = 0xFFFFFF;
constexpr std::uint32_t kMaxBlocksPerCommand = 0xFFFF;

// READ CAPACITY(16) parameter data, and the part of it read here: the last block address
// (bytes 0-7) and the block length (bytes 8-11).
constexpr std::uint32_t kReadCapacity16Length = 32;
constexpr std::uint32_t kReadCapacity16Fields = 12;

// A capacity is usable when it has a block length and its size in bytes, (lastLba + 1) x
// blockLength, fits in 64 bits: every block address and byte count derived from it then does
// too. A device that claims 2^64 - 1 as its last block fails this.
bool IsUsableCapacity(std::uint64_t lastLba, std::uint32_t blockLength) {
    return blockLength != 0 && lastLba < UINT64_MAX / blockLength;
}

}  // namespace

int Device::ReadCapacity(std::uint32_t* lastLba, std::uint32_t* blockLength) {
    std::uint8_t data[8] = {};
    IoBuffer io = {data, sizeof(data), {}};
    const int result = ReadCapacityCommand(&io, false, false, false, 0);
    if (!Clean(result, io)) {
        *lastLba = 0;
        *blockLength = 0;
        return result;
    }
    *lastLba = LoadBigEndian32(data);
    *blockLength = LoadBigEndian32(data + 4);
    return 0;
}

int Device::GetCapacity(std::uint64_t* lastLba, std::uint32_t* blockLength) {
    *lastLba = 0;
    std::uint32_t shortLastLba = 0, length = 0;
    if (ReadCapacity(&shortLastLba, &length) != 0) {
        *blockLength = 0;
        return -1;
    }
    std::uint64_t last = shortLastLba;
    if (shortLastLba == 0xFFFFFFFF) {
        // Too large for the short reply: READ CAPACITY(16) carries the 64-bit address.
        std::uint8_t data[kReadCapacity16Length] = {};
        IoBuffer io = {data, sizeof(data), {}};
        const int result = ReadCapacity16(&io, sizeof(data));
        if (result != 0) {
            *blockLength = 0;
            return -1;
        }
        // A reply too short to hold both fields is as good as none.
        const bool complete = io.transferred >= kReadCapacity16Fields;
        last = Clean(result, io) && complete ? LoadBigEndian64(data) : 0;
        length = Clean(result, io) && complete ? LoadBigEndian32(data + 8) : 0;
    }
    if (!IsUsableCapacity(last, length)) {
        *blockLength = 0;
        return 0;
    }
    *lastLba = last;
    *blockLength = length;
    return 0;
}

std::int32_t Device::GetMaxReadBufferBytes() {
    if (maxReadBufferBytes != -1) return maxReadBufferBytes;
    std::uint32_t size = GetMaxTransferBytes();
    // A 16 MiB length would go out as 0 in the 24-bit field and "succeed" without moving data.
    if (size > kMaxBufferCommandLength) size = kMaxBufferCommandLength;
    PageBuffer buffer(size);
    maxReadBufferBytes = 0;
    if (buffer.Data()) {
        IoBuffer io = {buffer.Data(), size, {}};
        const int result = ReadBuffer(&io, 2, 0, 0, size);  // mode 2: data
        if (Clean(result, io)) maxReadBufferBytes = static_cast<std::int32_t>(size);
    }
    return maxReadBufferBytes;
}

std::int32_t Device::GetMaxReadSectors() {
    if (maxReadSectors != -1) return maxReadSectors;
    const std::uint32_t size = GetMaxTransferBytes();
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    GetCapacity(&lastLba, &blockLength);
    // Without a usable capacity nothing is cached, so the probe runs again next time.
    if (lastLba == 0 || blockLength == 0) return -1;

    // The adapter's limit, in blocks. The read starts at block 0 and must stay on the medium,
    // and its block count travels in 16 bits.
    std::uint64_t blocks = size / blockLength;
    if (blocks > lastLba + 1) blocks = lastLba + 1;
    if (blocks > kMaxBlocksPerCommand) blocks = kMaxBlocksPerCommand;
    const auto bytes = static_cast<std::uint32_t>(blocks * blockLength);
    PageBuffer buffer(bytes);
    maxReadSectors = 0;
    if (buffer.Data()) {
        IoBuffer io = {buffer.Data(), bytes, {}};
        const int result = Read10(&io, false, false, false, 0, static_cast<std::uint16_t>(blocks));
        if (Clean(result, io)) maxReadSectors = static_cast<std::int32_t>(blocks);
    }
    return maxReadSectors;
}

}  // namespace sektra
