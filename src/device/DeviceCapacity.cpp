// How large a device is, and the two probes of what it transfers in one command.
#include "device/ByteOrder.h"
#include "device/Device.h"
#include "device/PageBuffer.h"
#include "device/Sense.h"

#include <cstring>

namespace sektra {

namespace {

// READ BUFFER carries its length in 24 bits, READ(10) its block count in 16.
constexpr std::uint32_t kMaxBufferCommandLength = 0xFFFFFF;
constexpr std::uint32_t kMaxBlocksPerCommand = 0xFFFF;

}  // namespace

int Device::ReadCapacity(std::uint32_t* lastLba, std::uint32_t* blockLength) {
    std::uint8_t data[8] = {};
    IoBuffer io = {data, sizeof(data), {}};
    const int result = ReadCapacityCommand(&io, false, false, false, 0);
    if (result != 0 || !IsCleanCommand(result, io.sense)) {
        *lastLba = 0;
        *blockLength = 0;
        return result;
    }
    *lastLba = LoadBigEndian32(data);
    *blockLength = LoadBigEndian32(data + 4);
    return 0;
}

int Device::GetCapacity(std::uint64_t* lastLba, std::uint32_t* blockLength) {
    std::uint32_t shortLastLba = 0;
    if (ReadCapacity(&shortLastLba, blockLength) != 0) {
        *lastLba = 0;
        *blockLength = 0;
        return -1;
    }
    *lastLba = shortLastLba;
    if (shortLastLba != 0xFFFFFFFF) return 0;

    // Too large for the short form: ask for the 64-bit last block address.
    std::uint8_t data[12] = {};
    IoBuffer io = {data, sizeof(data), {}};
    const int result = ReadCapacityCommand(&io, true, false, false, 0);
    if (result != 0) return -1;
    if (!IsCleanCommand(result, io.sense)) {
        *lastLba = 0;
        *blockLength = 0;
        return 0;
    }
    std::uint32_t first, second;
    std::memcpy(&first, data, 4);
    std::memcpy(&second, data + 4, 4);
    *lastLba = SwapBytes64(first, second);
    *blockLength = LoadBigEndian32(data + 8);
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
        if (IsCleanCommand(result, io.sense)) maxReadBufferBytes = static_cast<std::int32_t>(size);
    }
    return maxReadBufferBytes;
}

std::int32_t Device::GetMaxReadSectors() {
    if (maxReadSectors != -1) return maxReadSectors;
    const std::uint32_t size = GetMaxTransferBytes();
    std::uint32_t lastLba = 0, blockLength = 0;
    ReadCapacity(&lastLba, &blockLength);
    // Without a usable capacity nothing is cached, so the probe runs again next time.
    if (lastLba == 0 || blockLength == 0) return -1;

    std::uint32_t blocks = size / blockLength;
    // Tiny blocks must not overflow the 16-bit count of READ(10).
    if (blocks > kMaxBlocksPerCommand) blocks = kMaxBlocksPerCommand;
    const std::uint32_t bytes = blocks * blockLength;
    PageBuffer buffer(bytes);
    maxReadSectors = 0;
    if (buffer.Data()) {
        IoBuffer io = {buffer.Data(), bytes, {}};
        const int result = Read10(&io, false, false, false, 0, static_cast<std::uint16_t>(blocks));
        if (IsCleanCommand(result, io.sense)) maxReadSectors = static_cast<std::int32_t>(blocks);
    }
    return maxReadSectors;
}

}  // namespace sektra
