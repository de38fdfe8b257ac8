#pragma once
// Judging a command by its result, its SCSI status and its sense data, in one place.
//
// Sense data come in two formats: fixed (response code 70h current, 71h deferred) with the sense
// key in byte 2 and ASC/ASCQ in bytes 12 and 13, and descriptor (72h, 73h) with them in bytes 1
// to 3. A response code other than 72h/73h is read at the fixed offsets: a sense area the device
// left untouched is zero anyway, and older devices do not all set the response code.
//
// A command is clean only when the call reached the device, its status is GOOD (00h) and its
// sense carries no key, ASC or ASCQ. RECOVERED ERROR (sense key 1) is a failure too: the data may
// be right, but the time it took is not the device's normal time.
#include <cstddef>
#include <cstdint>

#include "device/ScsiRequest.h"

namespace sektra {

constexpr std::uint8_t kScsiStatusGood = 0x00;
constexpr std::uint8_t kScsiStatusCheckCondition = 0x02;
constexpr std::uint8_t kScsiStatusBusy = 0x08;
constexpr std::uint8_t kScsiStatusReservationConflict = 0x18;
constexpr std::uint8_t kScsiStatusTaskSetFull = 0x28;

struct SenseFields {
    std::uint8_t key = 0;
    std::uint8_t asc = 0;
    std::uint8_t ascq = 0;
};

// Key, ASC and ASCQ of the sense bytes sense[0 .. available-1]. Nothing outside them is read;
// a field that lies past them, or past the additional length of fixed-format sense, reads 0.
SenseFields ReadSense(const std::uint8_t* sense, std::size_t available);

// The same for a sense area of IoBuffer or ScsiRequest (kSenseInfoLength bytes).
inline std::uint8_t SenseKey(const std::uint8_t* sense) { return ReadSense(sense, kSenseInfoLength).key; }
inline std::uint8_t AdditionalSenseCode(const std::uint8_t* sense) { return ReadSense(sense, kSenseInfoLength).asc; }
inline std::uint8_t AdditionalSenseCodeQualifier(const std::uint8_t* sense) {
    return ReadSense(sense, kSenseInfoLength).ascq;
}

// `result` is the command operation's result (0 or -1); `sense` holds kSenseInfoLength bytes.
// Without the status, a CHECK CONDITION that delivered no sense data passes.
bool IsCleanCommand(int result, const std::uint8_t* sense);
// The same judged with the command's SCSI status: only GOOD is success.
bool IsCleanCommand(int result, std::uint8_t scsiStatus, const std::uint8_t* sense);
// A request sent with Device::ExecutePassThrough: its status and the sense bytes it received
// (SenseInfoLength as the port left it, at most the sense area).
bool IsCleanRequest(int result, const ScsiRequest& request);

}  // namespace sektra
