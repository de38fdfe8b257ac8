#include "device/ScsiRequest.h"

#include <cstring>

namespace sektra {

void InitScsiRequest(ScsiRequest* request, std::uint8_t cdbLength, std::uint8_t dataIn,
                     void* data, std::uint32_t length, std::uint32_t timeOutSeconds) {
    std::memset(request, 0, sizeof(*request));
    ScsiPassThroughDirect& sptd = request->sptd;
    sptd.Length = sizeof(ScsiPassThroughDirect);
    sptd.CdbLength = cdbLength;
    sptd.SenseInfoLength = kSenseInfoLength;
    sptd.DataIn = dataIn;
    sptd.DataTransferLength = length;
    sptd.TimeOutValue = timeOutSeconds;
    sptd.DataBuffer = data;
    sptd.SenseInfoOffset = kSenseInfoOffset;
}

}  // namespace sektra
