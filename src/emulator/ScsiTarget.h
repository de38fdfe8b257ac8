#pragma once
// The SCSI target model of an emulated device: carries out one command block against the
// device's medium, buffer and pages, and says how long it took. Not thread-safe; the
// EmulatedDevice serialises calls.
#include <cstdint>
#include <vector>

#include "emulator/BlockStore.h"
#include "emulator/CommandLog.h"
#include "emulator/DeviceConfig.h"
#include "emulator/Faults.h"
#include "emulator/PerformanceModel.h"
#include "emulator/ScsiSense.h"

namespace sektra {

struct ScsiCommand {
    const std::uint8_t* cdb = nullptr;  // 16 bytes readable
    std::uint8_t cdbLength = 0;
    bool dataIn = false;                // the request's direction (SCSI_IOCTL_DATA_IN)
    std::uint8_t* data = nullptr;       // the caller's buffer
    std::uint32_t length = 0;           // DataTransferLength
};

struct ScsiOutcome {
    bool refused = false;         // the port refuses the request: the control call fails
    bool checkCondition = false;
    SenseCode sense;
    std::uint32_t transferred = 0;
    std::uint64_t durationNs = 0;
    std::uint64_t lba = 0;
    std::uint32_t blocks = 0;
    DataDirection direction = DataDirection::None;
    // Data-in replies built in memory (pages, capacity, sense) wait in the caller's vector
    // for delivery of at most `allowed` bytes; block and buffer data go to the buffer directly.
    bool replyPending = false;
    std::uint32_t allowed = 0;
};

class ScsiTarget {
public:
    explicit ScsiTarget(const DeviceConfig& config);

    ScsiOutcome Execute(const ScsiCommand& command, std::vector<std::uint8_t>& reply);
    // The time an injected CHECK CONDITION takes.
    std::uint64_t FailedCommandNs() const { return model_.Other(); }

    void SetReplyFaults(const ReplyFaults& faults) { replyFaults_ = faults; }

    const BlockStore& Store() const { return store_; }
    const std::vector<std::uint8_t>& Buffer() const { return buffer_; }

private:
    ScsiOutcome Inquiry(const ScsiCommand& c, std::vector<std::uint8_t>& reply);
    ScsiOutcome ReadCapacity(const ScsiCommand& c, std::vector<std::uint8_t>& reply);
    ScsiOutcome ReadCapacity16(const ScsiCommand& c, std::vector<std::uint8_t>& reply);
    ScsiOutcome ReadWrite(const ScsiCommand& c, bool write);
    ScsiOutcome Verify(const ScsiCommand& c);
    ScsiOutcome Seek(const ScsiCommand& c);
    ScsiOutcome SynchronizeCache(const ScsiCommand& c);
    ScsiOutcome FormatUnit(const ScsiCommand& c);
    ScsiOutcome ReadBuffer(const ScsiCommand& c, std::vector<std::uint8_t>& reply);
    ScsiOutcome WriteBuffer(const ScsiCommand& c);
    ScsiOutcome LogSense(const ScsiCommand& c, std::vector<std::uint8_t>& reply);
    ScsiOutcome ModeSense(const ScsiCommand& c, std::vector<std::uint8_t>& reply);
    ScsiOutcome ReadDefectData(const ScsiCommand& c, std::vector<std::uint8_t>& reply);

    ScsiOutcome Fail(const SenseCode& sense) const;
    ScsiOutcome Reply(const ScsiCommand& c, const std::vector<std::uint8_t>& reply,
                      std::uint32_t allocation) const;
    // A device without blocks (a medium changer, or a nonsensical block length of 0) has no
    // block commands at all.
    bool HasMedium() const { return config_.blockCount > 0 && config_.blockLength > 0; }

    const DeviceConfig config_;
    BlockStore store_;
    std::vector<std::uint8_t> buffer_;
    PerformanceModel model_;
    ReplyFaults replyFaults_;
};

}  // namespace sektra
