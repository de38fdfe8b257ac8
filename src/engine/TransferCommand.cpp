#include "engine/TransferCommand.h"

#include <cstring>

#include "device/ByteOrder.h"

namespace sektra {

void SetTransferCommand(ScsiRequest* request, std::uint8_t opcode10, std::uint64_t lba, std::uint32_t blocks,
                        bool fua) {
    std::uint8_t* cdb = request->sptd.Cdb;
    std::memset(cdb, 0, sizeof(request->sptd.Cdb));
    const std::uint64_t last = blocks == 0 ? lba : lba + blocks - 1;
    const std::uint8_t flags = fua ? 0x08 : 0x00;
    if (last <= kLast32BitLba) {
        request->sptd.CdbLength = 10;
        cdb[0] = opcode10;
        cdb[1] = flags;
        StoreBigEndian32(&cdb[2], static_cast<std::uint32_t>(lba));
        StoreBigEndian16(&cdb[7], static_cast<std::uint16_t>(blocks));
        return;
    }
    request->sptd.CdbLength = 16;
    cdb[0] = opcode10 == kWrite10 ? kWrite16 : kRead16;
    cdb[1] = flags;
    StoreBigEndian32(&cdb[2], static_cast<std::uint32_t>(lba >> 32));
    StoreBigEndian32(&cdb[6], static_cast<std::uint32_t>(lba));
    StoreBigEndian32(&cdb[10], blocks);
}

}  // namespace sektra
