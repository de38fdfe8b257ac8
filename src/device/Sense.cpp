#include "device/Sense.h"

#include <algorithm>

namespace sektra {

namespace {

bool IsDescriptorFormat(std::uint8_t responseCode) {
    const std::uint8_t code = responseCode & 0x7F;
    return code == 0x72 || code == 0x73;
}

bool IsFixedFormat(std::uint8_t responseCode) {
    const std::uint8_t code = responseCode & 0x7F;
    return code == 0x70 || code == 0x71;
}

std::uint8_t ByteAt(const std::uint8_t* sense, std::size_t valid, std::size_t index) {
    return index < valid ? sense[index] : 0;
}

}  // namespace

SenseFields ReadSense(const std::uint8_t* sense, std::size_t available) {
    SenseFields fields;
    if (sense == nullptr || available == 0) return fields;
    if (IsDescriptorFormat(sense[0])) {
        fields.key = ByteAt(sense, available, 1) & 0x0F;
        fields.asc = ByteAt(sense, available, 2);
        fields.ascq = ByteAt(sense, available, 3);
        return fields;
    }
    std::size_t valid = available;
    // Fixed format says how many bytes follow byte 7; ASC and ASCQ count only inside them.
    if (IsFixedFormat(sense[0]) && available > 7) valid = std::min<std::size_t>(available, 8u + sense[7]);
    fields.key = ByteAt(sense, valid, 2) & 0x0F;
    fields.asc = ByteAt(sense, valid, 12);
    fields.ascq = ByteAt(sense, valid, 13);
    return fields;
}

bool IsCleanCommand(int result, const std::uint8_t* sense) {
    const SenseFields fields = ReadSense(sense, kSenseInfoLength);
    return result == 0 && fields.key == 0 && fields.asc == 0 && fields.ascq == 0;
}

bool IsCleanCommand(int result, std::uint8_t scsiStatus, const std::uint8_t* sense) {
    return scsiStatus == kScsiStatusGood && IsCleanCommand(result, sense);
}

bool IsCleanRequest(int result, const ScsiRequest& request) {
    if (result != 0 || request.sptd.ScsiStatus != kScsiStatusGood) return false;
    const std::size_t available = std::min<std::size_t>(request.sptd.SenseInfoLength, kSenseAreaSize);
    const SenseFields fields = ReadSense(request.sense, available);
    return fields.key == 0 && fields.asc == 0 && fields.ascq == 0;
}

}  // namespace sektra
