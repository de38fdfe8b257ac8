#include "device/CommandGuard.h"

namespace sektra {

namespace {

constexpr std::uint8_t kFormatUnit = 0x04;
constexpr std::uint8_t kWriteBuffer = 0x3B;
constexpr std::uint8_t kSanitize = 0x48;
constexpr std::uint8_t kWriteBufferDataMode = 0x02;

}  // namespace

bool IsPermittedCommand(const std::uint8_t* cdb, std::uint8_t cdbLength) {
    if (cdbLength == 0) return true;
    switch (cdb[0]) {
    case kFormatUnit:
    case kSanitize: return false;
    // The mode field is the low five bits of byte 1; a block too short to hold it is no data mode.
    case kWriteBuffer: return cdbLength >= 2 && (cdb[1] & 0x1F) == kWriteBufferDataMode;
    default: return true;
    }
}

}  // namespace sektra
