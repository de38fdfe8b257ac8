#pragma once
// A disk for the engine's tests: an emulated device whose measuring commands take exactly the
// ticks a test scripts on the virtual clock, a Device on it, the virtual-clock services and a
// message queue standing in for the window.
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "device/Device.h"
#include "device/DevicePort.h"
#include "device/ScsiRequest.h"
#include "emulator/EmulatedPort.h"
#include "engine/MessageQueue.h"
#include "engine/TestThread.h"
#include "engine/VirtualSystemServices.h"

namespace sektra {

// One measuring command as it left the thread.
struct SentCommand {
    std::uint8_t opcode;
    std::uint8_t dataIn;
    std::uint8_t cdbLength;
    std::uint64_t lba;      // CDB bytes 2-5 (16-byte commands: 2-9)
    std::uint32_t blocks;   // CDB bytes 7-8 (16-byte commands: 10-13)
    std::uint32_t length24; // CDB bytes 6-8 (buffer commands)
    std::uint32_t transferLength;
    std::uint8_t cdb[16];
};

// Passes every call on to the emulated port; READ(10)/(16), WRITE(10)/(16), SEEK(10), READ
// BUFFER and WRITE BUFFER are recorded and advance the virtual clock by the scripted ticks.
class ScriptedPort : public DevicePort {
public:
    explicit ScriptedPort(EmulatedPort& inner) : inner_(inner) {}

    // Ticks of the measuring command with this index (0-based over all measuring commands).
    std::function<std::uint64_t(std::uint64_t index, const SentCommand& command)> ticks =
        [](std::uint64_t, const SentCommand&) { return 1000; };
    // False: the measuring commands succeed here without reaching the emulated device (for
    // ranges too large to move real data through).
    bool forwardMeasuring = true;

    // The measuring commands since the first run began (all of them when no run was marked);
    // what a thread sends while it is made (the seek test's SEEK(10) probe) is not the run's.
    std::vector<SentCommand> Sent() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::vector<SentCommand>(sent_.begin() + static_cast<std::ptrdiff_t>(base_), sent_.end());
    }
    // The first call makes the next command index 0 of Sent() and of `ticks`.
    void MarkRunStart() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!marked_) base_ = sent_.size();
        marked_ = true;
    }

    PortHandle Open(int interfaceClass, std::uint32_t memberIndex) override {
        return inner_.Open(interfaceClass, memberIndex);
    }
    void Close(PortHandle handle) override { inner_.Close(handle); }
    bool Control(PortHandle handle, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned) override;

private:
    EmulatedPort& inner_;
    mutable std::mutex mutex_;
    std::vector<SentCommand> sent_;
    std::size_t base_ = 0;
    bool marked_ = false;
};

class EngineFixture {
public:
    static constexpr std::uint64_t kTicksPerSecond = 10000000;  // the emulated port's clock
    static constexpr std::int32_t kStartTime = 1000000000;

    // A disk of `blocks` blocks of `blockLength` bytes with a 1 MiB drive buffer; `adjust` may
    // change anything else of it.
    explicit EngineFixture(std::uint64_t blocks = 10007, std::uint32_t blockLength = 512,
                           std::uint32_t maximumTransferLength = 16u << 20,
                           const std::function<void(DeviceConfig&)>& adjust = nullptr);

    EmulatedDevice& Emulated() { return *emulated_; }
    Device* GetDevice() { return device_.get(); }
    WindowHandle Window() { return &window_; }
    MessageQueue& Queue() { return window_; }
    ScriptedPort& Port() { return scripted_; }
    VirtualSystemServices& Services() { return services_; }
    VirtualClock& Clock() { return port_.Clock(); }
    std::uint32_t TpsLow() const { return static_cast<std::uint32_t>(kTicksPerSecond); }

    // Runs the thread's measurement on this thread and returns its result.
    std::uint32_t RunDirect(TestThread& thread);
    // The messages posted so far; a finished run must have posted exactly one.
    std::vector<PostedMessage> Messages() { return window_.TakeAll(); }
    std::vector<SentCommand> Measured() const { return scripted_.Sent(); }

private:
    EmulatedPort port_{kTicksPerSecond};
    EmulatedDevice* emulated_;
    ScriptedPort scripted_{port_};
    std::unique_ptr<Device> device_;
    VirtualSystemServices services_{port_.Clock(), kStartTime};
    MessageQueue window_;
};

// ((ticksPerSecond × bytes) ÷ ticks) >> 10, written out plainly for the expectations.
inline std::uint32_t ExpectedRate(std::uint64_t bytes, std::uint64_t ticks,
                                  std::uint64_t ticksPerSecond = EngineFixture::kTicksPerSecond) {
    return static_cast<std::uint32_t>((ticksPerSecond * bytes / ticks) >> 10);
}

}  // namespace sektra
