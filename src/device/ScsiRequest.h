#pragma once
// The pass-through request every SCSI command travels in, and the record callers hand to the
// typed command operations of Device.
//
// The request is the platform's SCSI_PASS_THROUGH_DIRECT followed by a 4-byte filler and a
// 32-byte sense area. It keeps the natural layout of the Windows structure, so on i686 it is
// 80 bytes with the sense area at 48, and on x86_64 (Windows and native) DataBuffer widens to
// 8 bytes and everything after it moves. Code that needs an offset takes it from offsetof, never
// from a literal; the Windows builds check this layout against the SDK (win32/LayoutChecks.cpp).
#include <cstddef>
#include <cstdint>

namespace sektra {

// IOCTL_SCSI_PASS_THROUGH_DIRECT: CTL_CODE(FILE_DEVICE_CONTROLLER, 0x405, METHOD_BUFFERED,
// FILE_READ_ACCESS | FILE_WRITE_ACCESS). The request goes in and comes back in one buffer.
constexpr std::uint32_t kIoctlScsiPassThroughDirect = 0x4D014;

// DataIn values (SCSI_IOCTL_DATA_OUT / SCSI_IOCTL_DATA_IN).
constexpr std::uint8_t kScsiIoctlDataOut = 0;
constexpr std::uint8_t kScsiIoctlDataIn = 1;

// Sense bytes a request asks for, and the room reserved for them after the request.
constexpr std::uint8_t kSenseInfoLength = 24;
constexpr std::size_t kSenseAreaSize = 32;

// SCSI_PASS_THROUGH_DIRECT, field for field.
struct ScsiPassThroughDirect {
    std::uint16_t Length;
    std::uint8_t ScsiStatus;
    std::uint8_t PathId;
    std::uint8_t TargetId;
    std::uint8_t Lun;
    std::uint8_t CdbLength;
    std::uint8_t SenseInfoLength;
    std::uint8_t DataIn;
    std::uint32_t DataTransferLength;
    std::uint32_t TimeOutValue;  // seconds
    void* DataBuffer;
    std::uint32_t SenseInfoOffset;  // from the start of the request
    std::uint8_t Cdb[16];
};

struct ScsiRequest {
    ScsiPassThroughDirect sptd;
    std::uint32_t filler;
    std::uint8_t sense[kSenseAreaSize];
};

constexpr std::uint32_t kSenseInfoOffset = offsetof(ScsiRequest, sense);

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(ScsiPassThroughDirect) == 44, "i686 pass-through layout");
static_assert(kSenseInfoOffset == 48, "i686 sense area offset");
static_assert(sizeof(ScsiRequest) == 80, "i686 request size");
#endif

// What a caller hands to a typed command operation: the data buffer (read for data-out
// commands, written for data-in commands), the number of bytes to move, and the room that
// receives the first kSenseInfoLength sense bytes after every call. The caller owns it and
// zeroes `sense` before first use. After every call the operation also leaves the SCSI status
// and the bytes the port says really moved (Windows writes them back into DataTransferLength,
// so a short reply shows as a smaller count).
struct IoBuffer {
    void* data;
    std::uint32_t length;
    std::uint8_t sense[kSenseAreaSize];
    std::uint8_t scsiStatus = 0;
    std::uint32_t transferred = 0;
};

// Clears the whole request and fills in everything but the SCSI address and the command block:
// Length, CdbLength, SenseInfoLength, DataIn, DataTransferLength, DataBuffer, TimeOutValue and
// SenseInfoOffset. The measurement threads prepare their requests once this way and resend them.
void InitScsiRequest(ScsiRequest* request, std::uint8_t cdbLength, std::uint8_t dataIn,
                     void* data, std::uint32_t length, std::uint32_t timeOutSeconds);

}  // namespace sektra
