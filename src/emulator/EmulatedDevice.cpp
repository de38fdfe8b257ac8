#include "emulator/EmulatedDevice.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"
#include "emulator/MulDiv.h"
#include "emulator/ScsiTarget.h"
#include "emulator/VirtualClock.h"

namespace sektra {

EmulatedDevice::EmulatedDevice(const DeviceConfig& config, VirtualClock* clock)
    : config_(config), clock_(clock), target_(std::make_unique<ScsiTarget>(config)) {}

EmulatedDevice::~EmulatedDevice() = default;

bool EmulatedDevice::Control(std::uint32_t ioControlCode, void* in, std::uint32_t inSize, void* out,
                             std::uint32_t outSize, std::uint32_t* returned) {
    const auto start = std::chrono::steady_clock::now();
    if (returned) *returned = 0;

    LoggedCommand entry;
    entry.ioControlCode = ioControlCode;
    int opcode = -1;
    if (ioControlCode == kIoctlScsiPassThroughDirect && in && inSize >= sizeof(ScsiPassThroughDirect)) {
        ScsiPassThroughDirect sptd;
        std::memcpy(&sptd, in, sizeof(sptd));
        if (sptd.CdbLength > 0 && sptd.CdbLength <= 16) {
            opcode = sptd.Cdb[0];
            entry.opcode = sptd.Cdb[0];
            entry.cdbLength = sptd.CdbLength;
            std::copy(sptd.Cdb, sptd.Cdb + sptd.CdbLength, entry.cdb.begin());
        }
        entry.transferLength = sptd.DataTransferLength;
        if (sptd.DataTransferLength > 0) {
            entry.direction = sptd.DataIn == kScsiIoctlDataIn ? DataDirection::In : DataDirection::Out;
        }
    }

    FaultRule rule;
    bool injected = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        entry.index = controlCalls_++;
        if (const FaultRule* match = MatchFault(entry.index, ioControlCode, opcode)) {
            rule = *match;
            injected = true;
        }
    }
    if (injected && rule.action == FaultAction::Hold) {
        WaitWhileHeld();
        injected = false;
    }
    if (injected && rule.action == FaultAction::FailControl) {
        entry.result = CommandResult::ControlFailed;
        log_.Add(entry);
        return false;
    }

    bool ok = false;
    std::uint64_t durationNs = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        switch (ioControlCode) {
        case kIoctlScsiPassThroughDirect:
            ok = PassThrough(injected ? &rule : nullptr, in, inSize, out, outSize, returned, entry, durationNs);
            break;
        case kIoctlStorageQueryProperty:
            ok = QueryProperty(in, inSize, out, outSize, returned);
            break;
        case kSmartRcvDriveData:
            ok = SmartReceive(in, inSize, out, outSize, returned);
            break;
        default:
            break;
        }
    }
    if (!ok) {
        entry.result = CommandResult::ControlFailed;
        if (returned) *returned = 0;
    }
    log_.Add(entry);
    SpendTime(durationNs, start);
    return ok;
}

bool EmulatedDevice::PassThrough(const FaultRule* injected, void* in, std::uint32_t inSize, void* out,
                                 std::uint32_t outSize, std::uint32_t* returned, LoggedCommand& entry,
                                 std::uint64_t& durationNs) {
    // What the port driver checks before a request reaches the device.
    if (!in || !out || inSize < sizeof(ScsiPassThroughDirect) || outSize < sizeof(ScsiPassThroughDirect)) {
        return false;
    }
    ScsiPassThroughDirect sptd;
    std::memcpy(&sptd, in, sizeof(sptd));
    if (sptd.Length != sizeof(ScsiPassThroughDirect) || sptd.CdbLength == 0 || sptd.CdbLength > 16) return false;
    if (sptd.DataIn > 2) return false;  // beyond SCSI_IOCTL_DATA_UNSPECIFIED
    if (sptd.SenseInfoLength > 0 &&
        (sptd.SenseInfoOffset < sizeof(ScsiPassThroughDirect) ||
         static_cast<std::uint64_t>(sptd.SenseInfoOffset) + sptd.SenseInfoLength > outSize)) {
        return false;
    }
    if (sptd.DataTransferLength > 0) {
        if (sptd.DataBuffer == nullptr || sptd.DataTransferLength > config_.maximumTransferLength) return false;
        const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(sptd.DataBuffer);
        const std::uint64_t pages = ((address & 4095) + static_cast<std::uint64_t>(sptd.DataTransferLength) + 4095) / 4096;
        if (pages > config_.maximumPhysicalPages || (address & config_.alignmentMask) != 0) return false;
    }

    ScsiCommand command;
    command.cdb = sptd.Cdb;
    command.cdbLength = sptd.CdbLength;
    command.dataIn = sptd.DataIn == kScsiIoctlDataIn;
    command.data = static_cast<std::uint8_t*>(sptd.DataBuffer);
    command.length = sptd.DataTransferLength;

    std::vector<std::uint8_t> reply;
    ScsiOutcome outcome;
    bool withSense = true;
    bool descriptorSense = config_.descriptorSense;
    std::uint8_t status = kStatusGood;
    const FaultAction action = injected ? injected->action : FaultAction::Hold;
    if (injected && (action == FaultAction::CheckCondition || action == FaultAction::CheckConditionNoSense ||
                     action == FaultAction::CheckConditionDescriptor)) {
        outcome.checkCondition = true;
        outcome.sense = SenseCode{injected->senseKey, injected->asc, injected->ascq};
        outcome.durationNs = target_->FailedCommandNs();
        withSense = action != FaultAction::CheckConditionNoSense;
        descriptorSense = descriptorSense || action == FaultAction::CheckConditionDescriptor;
    } else if (injected && action == FaultAction::Status) {
        // The target turned the command away before it began: no data, no sense.
        status = injected->status;
        outcome.durationNs = target_->FailedCommandNs();
    } else {
        outcome = target_->Execute(command, reply);
    }
    entry.lba = outcome.lba;
    entry.blocks = outcome.blocks;
    if (outcome.refused) return false;

    if (outcome.replyPending) {
        if (mutator_) {
            const ReplyContext context{ReplyKind::ScsiDataIn, sptd.Cdb, sptd.CdbLength, outcome.allowed};
            mutator_(context, reply);
        }
        std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(reply.size(), outcome.allowed));
        if (!command.dataIn || command.data == nullptr) n = 0;
        if (n > 0) std::memcpy(command.data, reply.data(), n);
        outcome.transferred = n;
    }
    if (injected && action == FaultAction::ShortTransfer) outcome.transferred /= 2;
    durationNs = outcome.durationNs;

    std::uint8_t* request = static_cast<std::uint8_t*>(out);
    sptd.ScsiStatus = outcome.checkCondition ? kStatusCheckCondition : status;
    std::uint32_t reported = sizeof(ScsiPassThroughDirect);
    if (status != kStatusGood) entry.result = CommandResult::CheckCondition;
    if (outcome.checkCondition) {
        entry.result = CommandResult::CheckCondition;
        entry.senseKey = outcome.sense.key;
        entry.asc = outcome.sense.asc;
        entry.ascq = outcome.sense.ascq;
        if (withSense && sptd.SenseInfoLength > 0) {
            std::uint8_t sense[kFixedSenseLength];
            std::uint32_t length = kFixedSenseLength;
            if (descriptorSense) {
                FillDescriptorSense(sense, outcome.sense);
                length = kDescriptorSenseLength;
            } else {
                FillFixedSense(sense, outcome.sense);
            }
            std::uint8_t* area = request + sptd.SenseInfoOffset;
            std::memset(area, 0, sptd.SenseInfoLength);
            std::memcpy(area, sense, std::min<std::uint32_t>(length, sptd.SenseInfoLength));
            reported = sptd.SenseInfoOffset + std::min<std::uint32_t>(length, sptd.SenseInfoLength);
        }
    }
    // As Windows does, the request comes back with the bytes really moved in
    // DataTransferLength: a request sent again unchanged after an underrun asks for less.
    // SenseInfoLength stays as the caller set it.
    sptd.DataTransferLength = std::min(sptd.DataTransferLength, outcome.transferred);
    std::memcpy(request, &sptd, sizeof(sptd));
    if (returned) *returned = reported;
    return true;
}

const FaultRule* EmulatedDevice::MatchFault(std::uint64_t index, std::uint32_t ioControlCode, int opcode) const {
    for (const FaultRule& rule : faults_) {
        if (rule.atCommand >= 0) {
            const std::uint64_t at = static_cast<std::uint64_t>(rule.atCommand);
            if (rule.onwards ? index < at : index != at) continue;
        }
        if (rule.opcode >= 0 && rule.opcode != opcode) continue;
        if (rule.ioControlCode != 0 && rule.ioControlCode != ioControlCode) continue;
        // SCSI status and sense only exist for SCSI commands.
        if (rule.action != FaultAction::FailControl && rule.action != FaultAction::Hold &&
            ioControlCode != kIoctlScsiPassThroughDirect) {
            continue;
        }
        return &rule;
    }
    return nullptr;
}

void EmulatedDevice::AddFault(const FaultRule& rule) {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back(rule);
}

void EmulatedDevice::SetReplyFaults(const ReplyFaults& faults) {
    std::lock_guard<std::mutex> lock(mutex_);
    target_->SetReplyFaults(faults);
}

void EmulatedDevice::SetReplyMutator(ReplyMutator mutator) {
    std::lock_guard<std::mutex> lock(mutex_);
    mutator_ = std::move(mutator);
}

void EmulatedDevice::ClearFaults() {
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
    mutator_ = nullptr;
    target_->SetReplyFaults(ReplyFaults{});
}

void EmulatedDevice::WaitWhileHeld() {
    std::unique_lock<std::mutex> lock(holdMutex_);
    const std::uint64_t generation = releases_;
    ++held_;
    holdChanged_.notify_all();
    holdChanged_.wait(lock, [&] { return releases_ != generation; });
    --held_;
}

bool EmulatedDevice::WaitUntilHeld(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(holdMutex_);
    return holdChanged_.wait_for(lock, timeout, [&] { return held_ > 0; });
}

void EmulatedDevice::Release() {
    std::lock_guard<std::mutex> lock(holdMutex_);
    ++releases_;
    holdChanged_.notify_all();
}

int EmulatedDevice::HeldCount() const {
    std::lock_guard<std::mutex> lock(holdMutex_);
    return held_;
}

void EmulatedDevice::SpendTime(std::uint64_t durationNs, std::chrono::steady_clock::time_point start) {
    switch (config_.timing.mode) {
    case TimeMode::Zero:
        return;
    case TimeMode::Virtual:
        if (clock_) {
            clock_->Advance(EmulatorMulDiv(durationNs, clock_->TicksPerSecond(), 1000000000u));
        }
        return;
    case TimeMode::Real: {
        // Sleeping is far too coarse for commands of microseconds; spin, and sleep only
        // through the bulk of a long wait.
        const auto deadline = start + std::chrono::nanoseconds(durationNs);
        for (;;) {
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline) return;
            const auto remaining = deadline - now;
            if (remaining > std::chrono::milliseconds(40)) {
                std::this_thread::sleep_for(remaining - std::chrono::milliseconds(20));
            }
        }
    }
    }
}

std::vector<std::uint8_t> EmulatedDevice::ReadMedium(std::uint64_t lba, std::uint32_t blocks) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (lba >= config_.blockCount) return {};
    const std::uint64_t count = std::min<std::uint64_t>(blocks, config_.blockCount - lba);
    std::vector<std::uint8_t> data(count * config_.blockLength);
    target_->Store().Read(lba, count, data.data());
    return data;
}

bool EmulatedDevice::IsBlockWritten(std::uint64_t lba) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return target_->Store().IsWritten(lba);
}

std::vector<std::uint8_t> EmulatedDevice::BufferContents() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return target_->Buffer();
}

std::uint8_t EmulatedDevice::UnwrittenByte(std::uint64_t lba, std::uint32_t offset) {
    return BlockStore::PatternByte(lba, offset);
}

}  // namespace sektra
