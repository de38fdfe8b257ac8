#include "emulator/EmulatedPort.h"

namespace sektra {

EmulatedPort::EmulatedPort(std::uint64_t ticksPerSecond) : clock_(ticksPerSecond) {}

EmulatedPort::~EmulatedPort() = default;

EmulatedDevice& EmulatedPort::AddDevice(int interfaceClass, const DeviceConfig& config) {
    auto device = std::make_shared<EmulatedDevice>(config, &clock_);
    std::lock_guard<std::mutex> lock(mutex_);
    classes_[interfaceClass].push_back(device);
    return *device;
}

EmulatedDevice* EmulatedPort::GetDevice(int interfaceClass, std::uint32_t memberIndex) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = classes_.find(interfaceClass);
    if (it == classes_.end() || memberIndex >= it->second.size()) return nullptr;
    return it->second[memberIndex].get();
}

std::size_t EmulatedPort::DeviceCount(int interfaceClass) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = classes_.find(interfaceClass);
    return it == classes_.end() ? 0 : it->second.size();
}

void EmulatedPort::RemoveDevice(int interfaceClass, std::uint32_t memberIndex) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = classes_.find(interfaceClass);
    if (it == classes_.end() || memberIndex >= it->second.size()) return;
    std::shared_ptr<EmulatedDevice> device = it->second[memberIndex];
    it->second.erase(it->second.begin() + memberIndex);
    for (auto& entry : handles_) {
        if (entry.second.device == device) entry.second.unplugged = true;
    }
    removed_.push_back(device);
}

std::size_t EmulatedPort::OpenHandleCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return handles_.size();
}

PortHandle EmulatedPort::Open(int interfaceClass, std::uint32_t memberIndex) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = classes_.find(interfaceClass);
    if (it == classes_.end() || memberIndex >= it->second.size()) return kInvalidPortHandle;
    const std::shared_ptr<EmulatedDevice>& device = it->second[memberIndex];
    if (device->Config().failOpen) return kInvalidPortHandle;
    const PortHandle handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = Handle{device, false};
    return handle;
}

bool EmulatedPort::Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize,
                           void* out, std::uint32_t outSize, std::uint32_t* returned) {
    if (returned) *returned = 0;
    std::shared_ptr<EmulatedDevice> device;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = handles_.find(handle);
        // An unknown or closed handle, or a device unplugged since it was opened.
        if (it == handles_.end() || it->second.unplugged) return false;
        device = it->second.device;
    }
    return device->Control(ioControlCode, in, inSize, out, outSize, returned);
}

void EmulatedPort::Close(PortHandle handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    handles_.erase(handle);
}

}  // namespace sektra
