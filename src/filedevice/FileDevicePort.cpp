#include "filedevice/FileDevicePort.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "device/DescriptorReply.h"
#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"
#include "emulator/ScsiSense.h"
#include "filedevice/FileDescriptors.h"

namespace sektra {

FileDevicePort::~FileDevicePort() = default;

bool FileDevicePort::Attach(const std::string& path, FileAccess access, std::string* error) {
    if (target_) {
        if (error) *error = "a file is already attached";
        return false;
    }
    if (!file_.Open(path, access == FileAccess::ReadWrite, error)) return false;
    target_ = std::make_unique<FileTarget>(file_);
    return true;
}

std::uint64_t FileDevicePort::BlockCount() const { return target_ ? target_->BlockCount() : 0; }

std::string FileDevicePort::LastRefusal() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastRefusal_;
}

PortHandle FileDevicePort::Open(int interfaceClass, std::uint32_t memberIndex) {
    if (!target_ || interfaceClass != 0 || memberIndex != 0) return kInvalidPortHandle;
    std::lock_guard<std::mutex> lock(mutex_);
    const PortHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_.insert(handle);
    return handle;
}

void FileDevicePort::Close(PortHandle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    handles_.erase(handle);
}

bool FileDevicePort::Refuse(const char* reason) {
    refused_.fetch_add(1, std::memory_order_relaxed);
    std::lock_guard<std::mutex> lock(mutex_);
    lastRefusal_ = reason;
    return false;
}

bool FileDevicePort::Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize,
                             void* out, std::uint32_t outSize, std::uint32_t* returned) {
    if (returned) *returned = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (handles_.count(handle) == 0) return false;  // never opened, or closed
    }
    switch (ioControlCode) {
    case kIoctlScsiPassThroughDirect: return PassThrough(in, inSize, out, outSize, returned);
    case kIoctlStorageQueryProperty: return QueryProperty(in, inSize, out, outSize, returned);
    default: return false;  // no SMART: this is not an ATA drive
    }
}

bool FileDevicePort::PassThrough(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                 std::uint32_t* returned) {
    // What a port driver checks before a request reaches the device.
    if (!in || !out || inSize < sizeof(ScsiPassThroughDirect) || outSize < sizeof(ScsiPassThroughDirect)) {
        return Refuse("request buffers too small");
    }
    ScsiPassThroughDirect sptd;
    std::memcpy(&sptd, in, sizeof(sptd));
    if (sptd.Length != sizeof(ScsiPassThroughDirect) || sptd.CdbLength == 0 || sptd.CdbLength > 16 ||
        sptd.DataIn > 2) {
        return Refuse("malformed request");
    }
    if (sptd.SenseInfoLength > 0 &&
        (sptd.SenseInfoOffset < sizeof(ScsiPassThroughDirect) ||
         std::uint64_t{sptd.SenseInfoOffset} + sptd.SenseInfoLength > outSize)) {
        return Refuse("sense area outside the request");
    }
    if (sptd.DataTransferLength > kMaximumTransferLength) return Refuse("transfer longer than the port allows");
    if (sptd.DataTransferLength > 0 && sptd.DataBuffer == nullptr) return Refuse("no data buffer");

    FileCommand command;
    command.cdb = sptd.Cdb;
    command.cdbLength = sptd.CdbLength;
    command.dataIn = sptd.DataIn == kScsiIoctlDataIn;
    command.data = static_cast<std::uint8_t*>(sptd.DataBuffer);
    command.length = sptd.DataTransferLength;
    const FileOutcome outcome = target_->Execute(command);
    if (outcome.refused) return Refuse(outcome.reason);

    auto* request = static_cast<std::uint8_t*>(out);
    std::uint32_t reported = sizeof(ScsiPassThroughDirect);
    sptd.ScsiStatus = outcome.checkCondition ? kStatusCheckCondition : kStatusGood;
    if (outcome.checkCondition) {
        checkConditions_.fetch_add(1, std::memory_order_relaxed);
        if (sptd.SenseInfoLength > 0) {
            std::uint8_t sense[kFixedSenseLength];
            FillFixedSense(sense, outcome.sense);
            const std::uint32_t n = std::min<std::uint32_t>(kFixedSenseLength, sptd.SenseInfoLength);
            std::memset(request + sptd.SenseInfoOffset, 0, sptd.SenseInfoLength);
            std::memcpy(request + sptd.SenseInfoOffset, sense, n);
            reported = sptd.SenseInfoOffset + n;
        }
    }
    // Only the status goes back: a prepared request can be sent again unchanged.
    std::memcpy(request, &sptd, sizeof(sptd));
    if (returned) *returned = reported;
    return true;
}

bool FileDevicePort::QueryProperty(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                   std::uint32_t* returned) {
    StoragePropertyQuery query{};
    if (!in || inSize < 8) return false;
    std::memcpy(&query, in, std::min<std::size_t>(inSize, sizeof(query)));
    if (query.QueryType != kPropertyStandardQuery) return false;
    std::vector<std::uint8_t> d;
    if (query.PropertyId == kStorageDeviceProperty) {
        d = FileDeviceDescriptor(target_->Identity());
    } else if (query.PropertyId == kStorageAdapterProperty) {
        d = FileAdapterDescriptor(kBusTypeFileBackedVirtual, kMaximumTransferLength, kMaximumPhysicalPages,
                                  UnbufferedFile::kTransferAlignment - 1);
    } else {
        return false;
    }
    return DeliverDescriptor(d, out, outSize, returned);
}

}  // namespace sektra
