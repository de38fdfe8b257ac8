#include "device/CommandOutcome.h"

#include "device/Sense.h"

namespace sektra {

namespace {

bool IsDescriptorSense(const IoBuffer& io) {
    const std::uint8_t responseCode = io.sense[0] & 0x7F;
    return responseCode == 0x72 || responseCode == 0x73;
}

}  // namespace

bool Clean(int result, const IoBuffer& io) {
    return result == 0 && io.scsiStatus == kScsiStatusGood && IsCleanCommand(result, io.sense);
}

std::uint8_t RefusalSenseKey(const IoBuffer& io) {
    return IsDescriptorSense(io) ? io.sense[1] & 0x0F : SenseKey(io.sense);
}

std::uint8_t RefusalAsc(const IoBuffer& io) {
    return IsDescriptorSense(io) ? io.sense[2] : AdditionalSenseCode(io.sense);
}

}  // namespace sektra
