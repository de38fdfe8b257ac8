#pragma once
// Every control call that reaches an emulated device, so tests can prove what was sent — above
// all that no writing command reached a device the user did not unlock.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace sektra {

enum class CommandResult {
    Good,              // GOOD status (or a successful storage query)
    CheckCondition,    // CHECK CONDITION with sense data, or another status than GOOD
    ControlFailed,     // the control call failed (refused request, injected fault, bad handle)
};

enum class DataDirection { None, In, Out };

struct LoggedCommand {
    std::uint64_t index = 0;          // control calls on this device so far, 0-based
    std::uint32_t ioControlCode = 0;
    std::uint8_t opcode = 0;          // pass-through only: Cdb[0]
    std::uint8_t cdbLength = 0;
    std::array<std::uint8_t, 16> cdb{};
    std::uint64_t lba = 0;            // block commands
    std::uint32_t blocks = 0;
    DataDirection direction = DataDirection::None;
    std::uint32_t transferLength = 0; // DataTransferLength asked for
    CommandResult result = CommandResult::Good;
    std::uint8_t senseKey = 0, asc = 0, ascq = 0;
};

class CommandLog {
public:
    // Keeps the latest `capacity` entries; the counters below count everything ever logged.
    explicit CommandLog(std::size_t capacity = 200000);

    void Add(const LoggedCommand& command);
    void Clear();

    std::vector<LoggedCommand> Entries() const;
    std::uint64_t Total() const;  // control calls logged since the last Clear
    // SCSI commands with this operation code sent to the device, whatever became of them
    // (a refused or failed control call counts too).
    std::uint64_t CountOpcode(std::uint8_t opcode) const;
    // True when any command that changes the medium or the drive's buffer was sent:
    // FORMAT UNIT, WRITE(10), WRITE AND VERIFY(10), WRITE BUFFER.
    bool AnyWriteSent() const;

private:
    mutable std::mutex mutex_;
    std::size_t capacity_;
    std::deque<LoggedCommand> entries_;
    std::uint64_t total_ = 0;
    std::array<std::uint64_t, 256> opcodeCounts_{};
};

}  // namespace sektra
