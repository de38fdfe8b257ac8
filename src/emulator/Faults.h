#pragma once
// Faults an emulated device can be told to show: failing control calls, CHECK CONDITION
// answers, held commands, and malformed replies.
#include <cstdint>
#include <functional>
#include <vector>

namespace sektra {

enum class FaultAction {
    FailControl,            // the control call itself fails (DeviceIoControl returns FALSE)
    CheckCondition,         // the SCSI command ends with CHECK CONDITION and the rule's sense
    CheckConditionNoSense,  // CHECK CONDITION but no sense data reach the caller
    CheckConditionDescriptor,  // CHECK CONDITION with the rule's sense in descriptor format (72h)
    Status,                 // the command ends with the rule's status (BUSY, RESERVATION
                            // CONFLICT, TASK SET FULL) and no sense data; nothing is moved
    ShortTransfer,          // GOOD, but only half of the requested bytes moved (an underrun)
    Hold,                   // the command waits until EmulatedDevice::Release
};

// A rule matches a control call when every given condition holds. Rules are checked in the
// order they were added; the first match acts.
struct FaultRule {
    FaultAction action = FaultAction::FailControl;
    std::int64_t atCommand = -1;     // index of the control call on this device (0-based); -1 any
    bool onwards = false;            // with atCommand: that call and every later one
    int opcode = -1;                 // only SCSI commands with this operation code; -1 any
    std::uint32_t ioControlCode = 0; // only this control code; 0 any
    std::uint8_t senseKey = 0x04;    // for CheckCondition: HARDWARE ERROR
    std::uint8_t asc = 0x44;         // internal target failure
    std::uint8_t ascq = 0x00;
    std::uint8_t status = 0x08;      // for Status: BUSY
};

// What a length field in a reply header says, instead of the truth.
enum class LengthFault {
    None,
    Zero,              // 0
    Byte0xFF,          // 0xFF (in a 16-bit field: 0x00FF)
    AllOnes,           // every bit set: 0xFF or 0xFFFF
    BeyondAllocation,  // the reply claims more than the allocation length asked for
};

// Length faults per reply. Only the header field lies: the bytes delivered never exceed the
// allocation length or the caller's buffer.
struct ReplyFaults {
    LengthFault standardInquiry = LengthFault::None;  // additional length, byte 4
    LengthFault vpdPage = LengthFault::None;          // page length, byte 3
    LengthFault logPage = LengthFault::None;          // page length, bytes 2-3
    LengthFault modeData = LengthFault::None;         // mode data length, bytes 0-1
    LengthFault modeBlockDescriptors = LengthFault::None;  // block descriptor length, bytes 6-7
    LengthFault defectList = LengthFault::None;       // defect list length, bytes 2-3
};

// Where a reply is going.
enum class ReplyKind {
    ScsiDataIn,        // the data-in bytes of a SCSI command (cdb is set)
    DeviceDescriptor,  // STORAGE_DEVICE_DESCRIPTOR with its texts
    AdapterDescriptor, // STORAGE_ADAPTER_DESCRIPTOR
    AtaIdentify,       // SENDCMDOUTPARAMS: 16-byte header and the 512-byte block
    SmartData,         // SENDCMDOUTPARAMS: 16-byte header and the 512-byte attributes or thresholds
    NvmeData,          // STORAGE_PROTOCOL_DATA_DESCRIPTOR and the NVMe structure after it
};

struct ReplyContext {
    ReplyKind kind;
    const std::uint8_t* cdb;   // ScsiDataIn only, else null
    std::uint8_t cdbLength;
    std::uint32_t allowed;     // bytes the caller can receive (allocation and buffer)
};

// Called with the device's complete reply before it is delivered; it may change any byte and
// the reply's size. Whatever it does, at most `allowed` bytes reach the caller.
using ReplyMutator = std::function<void(const ReplyContext& context, std::vector<std::uint8_t>& reply)>;

}  // namespace sektra
