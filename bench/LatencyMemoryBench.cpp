// The latency record's memory over a long run: a sequential read of one block per command over
// a zero-time emulated disk of 10,000,000 blocks, so 10,000,000 timed commands. Prints "name
// value" lines: the record's fixed size, the process's resident memory before and after the
// run (Linux /proc/self/status), the commands recorded and the run's figures. Not run in CI.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "device/Device.h"
#include "emulator/EmulatedPort.h"
#include "engine/LatencyFigures.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"

namespace {

// A field of /proc/self/status in KiB (VmRSS, VmHWM); 0 where there is none.
long StatusKiB(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    long value = 0;
    while (status >> name) {
        if (name == field + ":") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}

}  // namespace

int main() {
    using namespace sektra;
    constexpr std::uint64_t kBlocks = 10000000;
    EmulatedPort port;
    DeviceConfig config;
    config.blockCount = kBlocks;
    config.blockLength = 512;
    port.AddDevice(kInterfaceClassDisk, config);
    Device device(&port);
    device.Open(kInterfaceClassDisk, 0);

    SystemServices& system = GetSystemServices();
    const std::uint64_t frequency = system.PerformanceFrequency();
    auto thread = std::make_unique<SequentialReadTestThread>(nullptr, &device, static_cast<std::uint32_t>(frequency),
                                                             static_cast<std::uint32_t>(frequency >> 32),
                                                             kPerformanceCounter, 1, 0, 100, 201);
    auto histogram = std::make_unique<LatencyHistogram>();
    std::printf("latency_recorder_bytes %llu\n", static_cast<unsigned long long>(sizeof(LatencyRecorder)));
    std::printf("latency_histogram_bytes %llu\n", static_cast<unsigned long long>(sizeof(LatencyHistogram)));
    std::printf("rss_before_kib %ld\n", StatusKiB("VmRSS"));

    thread->SetRunning(true);
    const auto start = std::chrono::steady_clock::now();
    const std::uint32_t result = thread->Run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    thread->GetLatency(histogram.get());
    const LatencyFigures figures = SummarizeLatency(*histogram, frequency, thread->GetWallTicks());

    std::printf("rss_after_kib %ld\n", StatusKiB("VmRSS"));
    std::printf("rss_peak_kib %ld\n", StatusKiB("VmHWM"));
    std::printf("result %u\n", result);
    std::printf("commands_recorded %llu\n", static_cast<unsigned long long>(figures.commands));
    std::printf("wall_seconds %.1f\n", seconds);
    std::printf("p50_ns %llu\n", static_cast<unsigned long long>(figures.p50Ns));
    std::printf("p99_ns %llu\n", static_cast<unsigned long long>(figures.p99Ns));
    std::printf("max_ns %llu\n", static_cast<unsigned long long>(figures.maximumNs));
    return result == 0 && figures.commands == kBlocks ? 0 : 1;
}
