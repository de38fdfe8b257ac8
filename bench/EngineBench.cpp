// Figures of the measuring engine itself, printed as "name value" lines:
//   overhead: the time the engine measures per command against a device that takes no time,
//             with the performance counter (what the engine adds inside its timed section);
//   accuracy: the average rate reported against a device that really spends 100 µs on each
//             64 KiB read (true rate 640000 KB/s);
//   loop rate: commands per second of the sequential read loop on the zero-time device.
// No figure is judged here; bench/engine.sh puts them beside fio's.
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "device/Device.h"
#include "emulator/EmulatedPort.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"

namespace sektra {
namespace {

// A port whose pass-through calls do nothing at all: the engine's cost without any device model.
class NullPort : public DevicePort {
public:
    PortHandle Open(int, std::uint32_t) override { return 1; }
    bool Control(PortHandle, std::uint32_t, void* in, std::uint32_t, void*, std::uint32_t, std::uint32_t*) override {
        auto* request = static_cast<ScsiRequest*>(in);
        if (request->sptd.Cdb[0] == 0x25 && request->sptd.DataBuffer != nullptr) {
            // READ CAPACITY(10): last block 0x00FFFFFF, 512-byte blocks.
            static const std::uint8_t reply[8] = {0x00, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x02, 0x00};
            for (int i = 0; i < 8; ++i) static_cast<std::uint8_t*>(request->sptd.DataBuffer)[i] = reply[i];
        }
        return true;
    }
    void Close(PortHandle) override {}
};

// Passes every call on and keeps the time the device really spent on the measuring commands,
// read on the steady clock around each call: the true rate the engine's figure is held against
// when the machine is busy and the spinning device gets preempted.
class StopwatchPort : public DevicePort {
public:
    explicit StopwatchPort(DevicePort& inner) : inner_(inner) {}
    PortHandle Open(int interfaceClass, std::uint32_t member) override { return inner_.Open(interfaceClass, member); }
    void Close(PortHandle handle) override { inner_.Close(handle); }
    bool Control(PortHandle handle, std::uint32_t code, void* in, std::uint32_t inSize, void* out,
                 std::uint32_t outSize, std::uint32_t* returned) override {
        const bool measuring = static_cast<ScsiRequest*>(in)->sptd.Cdb[0] == 0x28;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = inner_.Control(handle, code, in, inSize, out, outSize, returned);
        if (measuring) {
            nanoseconds += std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
            bytes += static_cast<ScsiRequest*>(in)->sptd.DataTransferLength;
        }
        return ok;
    }
    std::uint64_t nanoseconds = 0;
    std::uint64_t bytes = 0;

private:
    DevicePort& inner_;
};

// The real system, except that giving up the time slice does nothing: the loop's own cost
// without the Sleep(0) that every command is preceded by.
class NoYieldServices : public SystemServices {
public:
    std::uint64_t ReadClock(std::uint32_t mode) override { return system_.ReadClock(mode); }
    std::int32_t Time() override { return system_.Time(); }
    void GiveUpTimeSlice() override {}
    void* AllocatePages(std::uint64_t bytes) override { return system_.AllocatePages(bytes); }
    void FreePages(void* pages, std::uint64_t bytes) override { system_.FreePages(pages, bytes); }
    std::uint64_t PerformanceFrequency() override { return system_.PerformanceFrequency(); }

private:
    SystemServices& system_ = GetSystemServices();
};

struct RunFigures {
    std::uint64_t commands;
    std::uint32_t averageKBps;
    double wallSeconds;
};

// One sequential read run over blocks 0 to (endPercent % of the device), measured by the
// engine with the given clock, and by the wall clock around it.
RunFigures RunSequential(Device& device, std::uint32_t mode, std::uint64_t ticksPerSecond,
                         std::uint32_t blocksPerCommand, std::uint32_t endPercent,
                         SystemServices* services = nullptr) {
    SequentialReadTestThread thread(nullptr, &device, static_cast<std::uint32_t>(ticksPerSecond),
                                    static_cast<std::uint32_t>(ticksPerSecond >> 32), mode, blocksPerCommand, 0,
                                    endPercent, 201);
    if (services != nullptr) thread.UseServices(*services);
    thread.SetRunning(true);
    const auto start = std::chrono::steady_clock::now();
    thread.Run();
    const auto end = std::chrono::steady_clock::now();
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    RunFigures figures;
    figures.commands = (std::uint64_t{s.words[5]} << 32) | s.words[4];
    figures.averageKBps = s.words[7];
    figures.wallSeconds = std::chrono::duration<double>(end - start).count();
    return figures;
}

// Nanoseconds per command that a reported average rate stands for.
double NanosecondsPerCommand(std::uint32_t blockBytes, std::uint32_t averageKBps) {
    return averageKBps == 0 ? 0.0 : blockBytes * 1e9 / (averageKBps * 1024.0);
}

DeviceConfig Disk(std::uint64_t blocks, TimingModel timing) {
    DeviceConfig config;
    config.blockCount = blocks;
    config.blockLength = 512;
    config.timing = timing;
    return config;
}

}  // namespace
}  // namespace sektra

int main() {
    using namespace sektra;
    SystemServices& system = GetSystemServices();
    const std::uint64_t frequency = system.PerformanceFrequency();
    std::printf("performance_frequency %llu\n", static_cast<unsigned long long>(frequency));

    // (a) and (c): zero-time emulated disk, 512-byte reads, 400000 commands.
    EmulatedPort port;
    port.AddDevice(kInterfaceClassDisk, Disk(4000000, TimingModel{}));
    Device zeroDevice(&port);
    zeroDevice.Open(kInterfaceClassDisk, 0);
    RunSequential(zeroDevice, kPerformanceCounter, frequency, 1, 1);  // warm up
    const RunFigures zero = RunSequential(zeroDevice, kPerformanceCounter, frequency, 1, 10);
    std::printf("overhead_ns_emulated %.1f\n", NanosecondsPerCommand(512, zero.averageKBps));
    std::printf("loop_rate_emulated %.0f\n", zero.commands / zero.wallSeconds);

    NullPort nullPort;
    Device nullDevice(&nullPort);
    nullDevice.Open(kInterfaceClassDisk, 0);
    RunSequential(nullDevice, kPerformanceCounter, frequency, 1, 1);
    const RunFigures null = RunSequential(nullDevice, kPerformanceCounter, frequency, 1, 3);
    std::printf("overhead_ns_null_port %.1f\n", NanosecondsPerCommand(512, null.averageKBps));
    std::printf("loop_rate_null_port %.0f\n", null.commands / null.wallSeconds);

    NoYieldServices noYield;
    const RunFigures bare = RunSequential(zeroDevice, kPerformanceCounter, frequency, 1, 10, &noYield);
    std::printf("loop_rate_emulated_without_yield %.0f\n", bare.commands / bare.wallSeconds);
    const RunFigures bareNull = RunSequential(nullDevice, kPerformanceCounter, frequency, 1, 3, &noYield);
    std::printf("loop_rate_null_port_without_yield %.0f\n", bareNull.commands / bareNull.wallSeconds);

    // (b): 64 KiB reads that really take 100 µs each, 2000 a run, five runs.
    TimingModel spin;
    spin.mode = TimeMode::Real;
    spin.commandNs = 100000;
    EmulatedPort realPort;
    realPort.AddDevice(kInterfaceClassDisk, Disk(256000, spin));
    StopwatchPort stopwatch(realPort);
    Device realDevice(&stopwatch);
    realDevice.Open(kInterfaceClassDisk, 0);
    std::uint32_t best = 0;
    for (int run = 0; run < 5; ++run) {
        stopwatch.nanoseconds = stopwatch.bytes = 0;
        const RunFigures real = RunSequential(realDevice, kPerformanceCounter, frequency, 128, 100);
        const double trueKBps = stopwatch.bytes * 1e9 / 1024.0 / stopwatch.nanoseconds;
        std::printf("accuracy_run %d reported_kbps %u device_kbps %.0f error_vs_device_percent %.3f "
                    "error_vs_640000_percent %.3f\n",
                    run, real.averageKBps, trueKBps, (real.averageKBps - trueKBps) / trueKBps * 100.0,
                    (real.averageKBps - 640000.0) / 640000.0 * 100.0);
        if (real.averageKBps > best) best = real.averageKBps;
    }
    std::printf("accuracy_kbps_best %u\n", best);
    std::printf("accuracy_error_percent_best %.3f\n", (best - 640000.0) / 640000.0 * 100.0);
    return 0;
}
