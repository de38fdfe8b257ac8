#pragma once
// One emulated storage device: answers the control codes Windows' storage stack answers
// (SCSI pass-through, storage property queries, the SMART IDENTIFY request) with the same
// binary structures, takes the modelled time of each command, shows injected faults, and logs
// every call. Safe to call from several threads (one lock per device; a held command waits
// outside it).
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "emulator/CommandLog.h"
#include "emulator/DeviceConfig.h"
#include "emulator/Faults.h"

namespace sektra {

class VirtualClock;
struct SendCmdInParams;
class ScsiTarget;

class EmulatedDevice {
public:
    // `clock` (may be null) is what Virtual-mode commands advance.
    EmulatedDevice(const DeviceConfig& config, VirtualClock* clock);
    ~EmulatedDevice();
    EmulatedDevice(const EmulatedDevice&) = delete;
    EmulatedDevice& operator=(const EmulatedDevice&) = delete;

    const DeviceConfig& Config() const { return config_; }

    // One DeviceIoControl on this device: IOCTL_SCSI_PASS_THROUGH_DIRECT,
    // IOCTL_STORAGE_QUERY_PROPERTY or SMART_RCV_DRIVE_DATA. False when the call fails.
    bool Control(std::uint32_t ioControlCode, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned);

    // Fault injection.
    void AddFault(const FaultRule& rule);
    void SetReplyFaults(const ReplyFaults& faults);
    void SetReplyMutator(ReplyMutator mutator);
    void ClearFaults();  // rules, reply faults and mutator

    // Commands caught by a Hold rule wait until Release. WaitUntilHeld returns true as soon as
    // at least one command waits (false after the timeout); Release lets every waiting command
    // go on (later matching commands hold again).
    bool WaitUntilHeld(std::chrono::milliseconds timeout);
    void Release();
    int HeldCount() const;

    CommandLog& Log() { return log_; }
    const CommandLog& Log() const { return log_; }

    // The medium and the drive buffer as the device holds them, for tests.
    std::vector<std::uint8_t> ReadMedium(std::uint64_t lba, std::uint32_t blocks) const;
    bool IsBlockWritten(std::uint64_t lba) const;
    std::vector<std::uint8_t> BufferContents() const;

    // Byte `offset` of block `lba` as long as the block was never written: bytes 0-7 hold the
    // block address big-endian, every other byte is 0xE5.
    static std::uint8_t UnwrittenByte(std::uint64_t lba, std::uint32_t offset);

private:
    bool PassThrough(const FaultRule* injected, void* in, std::uint32_t inSize, void* out,
                     std::uint32_t outSize, std::uint32_t* returned, LoggedCommand& entry,
                     std::uint64_t& durationNs);
    bool QueryProperty(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                       std::uint32_t* returned);
    bool SmartReceive(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                      std::uint32_t* returned);
    bool SmartData(const SendCmdInParams& params, void* out, std::uint32_t outSize, std::uint32_t* returned);
    bool NvmeQuery(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize, std::uint32_t* returned);
    // Hands a complete reply through the mutator to the caller's buffer.
    bool Deliver(ReplyKind kind, std::vector<std::uint8_t>& reply, void* out, std::uint32_t outSize,
                 std::uint32_t* returned);
    const FaultRule* MatchFault(std::uint64_t index, std::uint32_t ioControlCode, int opcode) const;
    void WaitWhileHeld();
    void SpendTime(std::uint64_t durationNs, std::chrono::steady_clock::time_point start);

    const DeviceConfig config_;
    VirtualClock* const clock_;
    mutable std::mutex mutex_;  // everything below except the hold state
    std::unique_ptr<ScsiTarget> target_;
    std::vector<FaultRule> faults_;
    ReplyMutator mutator_;
    std::uint64_t controlCalls_ = 0;
    CommandLog log_;

    mutable std::mutex holdMutex_;
    std::condition_variable holdChanged_;
    int held_ = 0;
    std::uint64_t releases_ = 0;
};

}  // namespace sektra
