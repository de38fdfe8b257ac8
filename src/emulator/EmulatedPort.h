#pragma once
// A device port whose devices are emulated: what the tests and `/DEMO` install in place of the
// platform's storage stack. Devices are members of interface classes (0 disk, 1 CD-ROM,
// 6 medium changer, any index 0-9 works) in the order they were added.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "device/DevicePort.h"
#include "emulator/DeviceConfig.h"
#include "emulator/EmulatedDevice.h"
#include "emulator/VirtualClock.h"

namespace sektra {

constexpr int kInterfaceClassDisk = 0;
constexpr int kInterfaceClassCdRom = 1;
constexpr int kInterfaceClassMediumChanger = 6;

class EmulatedPort : public DevicePort {
public:
    // `ticksPerSecond` is the frequency of the port's VirtualClock.
    explicit EmulatedPort(std::uint64_t ticksPerSecond = 10000000);
    ~EmulatedPort() override;

    // Adds a device as the next member of its class. The port owns it; the reference stays
    // valid for the port's lifetime (also after RemoveDevice).
    EmulatedDevice& AddDevice(int interfaceClass, const DeviceConfig& config);
    // Null when there is no such member.
    EmulatedDevice* GetDevice(int interfaceClass, std::uint32_t memberIndex) const;
    std::size_t DeviceCount(int interfaceClass) const;
    // Unplugs a member: later members move down by one, and every handle still open on it
    // fails its control calls from now on.
    void RemoveDevice(int interfaceClass, std::uint32_t memberIndex);

    // The clock that Virtual-mode devices advance.
    VirtualClock& Clock() { return clock_; }

    // Handles currently open (tests check that every Device closed its handle).
    std::size_t OpenHandleCount() const;

    // DevicePort.
    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override;
    bool Control(PortHandle handle, std::uint32_t ioControlCode, void* in, std::uint32_t inSize,
                 void* out, std::uint32_t outSize, std::uint32_t* returned) override;
    void Close(PortHandle handle) override;

private:
    struct Handle {
        std::shared_ptr<EmulatedDevice> device;
        bool unplugged = false;
    };

    VirtualClock clock_;
    mutable std::mutex mutex_;
    std::map<int, std::vector<std::shared_ptr<EmulatedDevice>>> classes_;
    std::vector<std::shared_ptr<EmulatedDevice>> removed_;
    std::map<PortHandle, Handle> handles_;
    PortHandle nextHandle_ = 0x100;
};

}  // namespace sektra
