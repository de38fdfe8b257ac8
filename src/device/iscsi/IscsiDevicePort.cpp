#include "device/iscsi/IscsiDevicePort.h"

#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"
#include "device/iscsi/IscsiLogicalUnit.h"

namespace sektra {

namespace {

// The peripheral device type of the members of an interface class; -1 for other classes.
int PeripheralTypeOfClass(int interfaceClass) {
    switch (interfaceClass) {
    case 0: return 0x00;  // direct-access block device
    case 1: return 0x05;  // CD/DVD
    case 6: return 0x08;  // medium changer
    default: return -1;
    }
}

}  // namespace

IscsiDevicePort::IscsiDevicePort(std::vector<std::string> urls) {
    for (std::string& text : urls) {
        Entry entry;
        std::string error;
        entry.valid = ParseIscsiUrl(text, &entry.url, &error);
        if (!entry.valid) SetError(text + ": " + error);
        entry.text = std::move(text);
        entries_.push_back(std::move(entry));
    }
}

IscsiDevicePort::~IscsiDevicePort() = default;

std::string IscsiDevicePort::LastError() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lastError_;
}

void IscsiDevicePort::SetError(const std::string& error) {
    std::lock_guard<std::mutex> lock(mutex_);
    lastError_ = error;
}

std::shared_ptr<IscsiLogicalUnit> IscsiDevicePort::Connect(Entry& entry) {
    auto unit = std::make_shared<IscsiLogicalUnit>();
    std::string error;
    if (!unit->Open(entry.url, kLoginTimeOutSeconds, kDefaultMaximumTransferLength, &error)) {
        entry.unreachable = true;
        SetError(entry.text + ": " + error);
        return nullptr;
    }
    entry.peripheralType = unit->Identity().peripheralType;
    return unit;
}

PortHandle IscsiDevicePort::Open(int interfaceClass, std::uint32_t memberIndex) {
    const int wanted = PeripheralTypeOfClass(interfaceClass);
    if (wanted < 0) return kInvalidPortHandle;
    std::lock_guard<std::mutex> openLock(openMutex_);
    std::uint32_t members = 0;
    for (Entry& entry : entries_) {
        if (!entry.valid || entry.unreachable) continue;
        if (entry.peripheralType >= 0 && entry.peripheralType != wanted) continue;
        // A unit of the wanted type before the one asked for needs no session of its own.
        if (entry.peripheralType == wanted && members < memberIndex) {
            ++members;
            continue;
        }
        std::shared_ptr<IscsiLogicalUnit> unit = Connect(entry);
        if (!unit || entry.peripheralType != wanted) continue;
        if (members++ < memberIndex) continue;
        std::lock_guard<std::mutex> lock(mutex_);
        const PortHandle handle = nextHandle_;
        nextHandle_ += 4;
        handles_[handle] = std::move(unit);
        return handle;
    }
    return kInvalidPortHandle;
}

bool IscsiDevicePort::Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize,
                              void* out, std::uint32_t outSize, std::uint32_t* returned) {
    if (returned) *returned = 0;
    std::shared_ptr<IscsiLogicalUnit> unit;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = handles_.find(handle);
        if (it == handles_.end()) return false;  // never opened, or closed
        unit = it->second;
    }
    switch (ioControlCode) {
    case kIoctlScsiPassThroughDirect: {
        std::string error;
        if (unit->PassThrough(in, inSize, out, outSize, returned, &error)) return true;
        SetError(error);
        return false;
    }
    case kIoctlStorageQueryProperty: return unit->QueryProperty(in, inSize, out, outSize, returned);
    default: return false;  // SMART_RCV_DRIVE_DATA among them: no iSCSI unit is an ATA drive
    }
}

void IscsiDevicePort::Close(PortHandle handle) {
    std::shared_ptr<IscsiLogicalUnit> unit;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = handles_.find(handle);
        if (it == handles_.end()) return;
        unit = std::move(it->second);
        handles_.erase(it);
    }
    // Logs out here, outside the lock, unless a call on the handle still runs: then the last
    // one to finish does.
}

}  // namespace sektra
