#include "engine/SeekMethod.h"

#include "device/Device.h"
#include "device/Sense.h"
#include "engine/TransferCommand.h"

namespace sektra {

SeekMethod ChooseSeekMethod(Device& device) {
    std::uint64_t lastLba = 0;
    std::uint32_t blockLength = 0;
    if (device.GetCapacity(&lastLba, &blockLength) == 0 && lastLba > kLast32BitLba) return SeekMethod::Access;
    ScsiRequest request;
    // A seek may have to spin the medium up first.
    InitScsiRequest(&request, 10, kScsiIoctlDataIn, nullptr, 0, 30);
    request.sptd.Cdb[0] = 0x2B;  // SEEK(10) to block 0
    const int result = device.ExecutePassThrough(&request);
    return IsCleanRequest(result, request) ? SeekMethod::Seek : SeekMethod::Access;
}

}  // namespace sektra
