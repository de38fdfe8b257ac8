// The latency record's memory over a long run: sequential reads of one block per command over
// a zero-time emulated disk of 10,000,000 blocks, first 1,000,000 commands and then
// 10,000,000. Prints "name value" lines: the record's fixed size, the process's resident memory
// before and after each run (Linux /proc/self/status), the commands recorded and each run's
// figures. Not run in CI (the long run takes minutes).
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

// One sequential read of one block per command over the first `percent` of the disk, on a
// thread of its own; prints its figures under `name`. True when it finished.
bool Run(sektra::Device& device, std::uint32_t percent, const char* name) {
    using namespace sektra;
    const std::uint64_t frequency = GetSystemServices().PerformanceFrequency();
    auto thread = std::make_unique<SequentialReadTestThread>(nullptr, &device, static_cast<std::uint32_t>(frequency),
                                                             static_cast<std::uint32_t>(frequency >> 32),
                                                             kPerformanceCounter, 1, 0, percent, 201);
    thread->SetRunning(true);
    const auto start = std::chrono::steady_clock::now();
    const std::uint32_t result = thread->Run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    auto histogram = std::make_unique<LatencyHistogram>();
    thread->GetLatency(histogram.get());
    const LatencyFigures figures = SummarizeLatency(*histogram, frequency, thread->GetWallTicks());
    std::printf("%s_commands_recorded %llu\n", name, static_cast<unsigned long long>(figures.commands));
    std::printf("%s_wall_seconds %.1f\n", name, seconds);
    std::printf("%s_p50_ns %llu p99_ns %llu max_ns %llu\n", name, static_cast<unsigned long long>(figures.p50Ns),
                static_cast<unsigned long long>(figures.p99Ns), static_cast<unsigned long long>(figures.maximumNs));
    std::printf("%s_rss_after_kib %ld\n", name, StatusKiB("VmRSS"));
    std::fflush(stdout);
    return result == 0 && figures.commands == percent * std::uint64_t{100000};
}

}  // namespace

int main() {
    using namespace sektra;
    // 10^7 blocks: a run over 10 % of them is 10^6 commands, over all of them 10^7. The first
    // run also fills the emulator's command log to its fixed length, so what the second adds
    // to the resident memory is what grows with the number of commands.
    EmulatedPort port;
    DeviceConfig config;
    config.blockCount = 10000000;
    config.blockLength = 512;
    port.AddDevice(kInterfaceClassDisk, config);
    Device device(&port);
    device.Open(kInterfaceClassDisk, 0);

    std::printf("latency_recorder_bytes %llu\n", static_cast<unsigned long long>(sizeof(LatencyRecorder)));
    std::printf("latency_histogram_bytes %llu\n", static_cast<unsigned long long>(sizeof(LatencyHistogram)));
    std::printf("rss_before_kib %ld\n", StatusKiB("VmRSS"));
    std::fflush(stdout);
    const bool ok = Run(device, 10, "run_1m") && Run(device, 100, "run_10m");
    std::printf("rss_peak_kib %ld\n", StatusKiB("VmHWM"));
    return ok ? 0 : 1;
}
