#include "emulator/CommandLog.h"

namespace sektra {

CommandLog::CommandLog(std::size_t capacity) : capacity_(capacity) {}

void CommandLog::Add(const LoggedCommand& command) {
    std::lock_guard<std::mutex> lock(mutex_);
    ++total_;
    if (command.cdbLength > 0) ++opcodeCounts_[command.opcode];
    if (capacity_ == 0) return;
    if (entries_.size() == capacity_) entries_.pop_front();
    entries_.push_back(command);
}

void CommandLog::Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.clear();
    total_ = 0;
    opcodeCounts_.fill(0);
}

std::vector<LoggedCommand> CommandLog::Entries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::vector<LoggedCommand>(entries_.begin(), entries_.end());
}

std::uint64_t CommandLog::Total() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return total_;
}

std::uint64_t CommandLog::CountOpcode(std::uint8_t opcode) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return opcodeCounts_[opcode];
}

bool CommandLog::AnyWriteSent() const {
    std::lock_guard<std::mutex> lock(mutex_);
    for (std::uint8_t op : {0x04, 0x2A, 0x2E, 0x3B}) {
        if (opcodeCounts_[op] > 0) return true;
    }
    return false;
}

}  // namespace sektra
