// One measuring run of the engine against a real file read unbuffered, printed as
// "name value" lines for bench/accuracy.sh, which runs it beside the reference tool:
//
//   accuracy_bench FILE sequential [BLOCKS]   sequential read of the whole file (default 128
//                                             blocks = 64 KiB per command)
//   accuracy_bench FILE random [BLOCKS]       10000 random reads (default 8 blocks = 4 KiB)
//
// The clock is the performance counter, as the program's default timer setting. Exit status 0
// only when the run finished and every command really read its blocks.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "device/Device.h"
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"
#include "filedevice/FileDevicePort.h"

namespace {

using namespace sektra;

int Usage() {
    std::fprintf(stderr, "usage: accuracy_bench FILE sequential|random [BLOCKS]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) return Usage();
    const std::string path = argv[1];
    const std::string kind = argv[2];
    const bool sequential = kind == "sequential";
    if (!sequential && kind != "random") return Usage();
    std::uint32_t blocks = sequential ? 128 : 8;
    if (argc == 4) {
        const long value = std::strtol(argv[3], nullptr, 10);
        if (value < 1 || value > 2048) return Usage();
        blocks = static_cast<std::uint32_t>(value);
    }

    FileDevicePort port;
    std::string error;
    if (!port.Attach(path, FileAccess::ReadOnly, &error)) {
        std::fprintf(stderr, "accuracy_bench: %s\n", error.c_str());
        return 1;
    }
    Device device(&port);
    if (device.Open(0, 0) != 0) {
        std::fprintf(stderr, "accuracy_bench: the file holds no whole block\n");
        return 1;
    }

    SystemServices& system = GetSystemServices();
    const std::uint64_t frequency = system.PerformanceFrequency();
    const auto low = static_cast<std::uint32_t>(frequency);
    const auto high = static_cast<std::uint32_t>(frequency >> 32);
    std::unique_ptr<TestThread> thread;
    if (sequential) {
        thread = std::make_unique<SequentialReadTestThread>(nullptr, &device, low, high, kPerformanceCounter, blocks,
                                                            0, 100, 201);
    } else {
        thread = std::make_unique<RandomReadTestThread>(nullptr, &device, low, high, kPerformanceCounter, blocks, 0,
                                                        100, 801);
    }
    // The run goes on this thread: nothing else competes with it, as nothing competes with the
    // reference tool's single job.
    thread->SetRunning(true);
    const auto start = std::chrono::steady_clock::now();
    const std::uint32_t result = thread->Run();
    const auto end = std::chrono::steady_clock::now();
    TestSnapshot s = {};
    thread->GetSnapshot(&s);
    const std::uint64_t commands = (std::uint64_t{s.words[5]} << 32) | s.words[4];
    const double seconds = std::chrono::duration<double>(end - start).count();
    // Bytes moved: every command of a sequential run is whole except perhaps the last.
    const std::uint64_t rangeBlocks = std::uint64_t{s.words[1]} - s.words[0] + 1;
    const std::uint64_t bytes = sequential ? rangeBlocks * 512 : commands * blocks * 512;

    std::printf("file %s\n", path.c_str());
    std::printf("test %s\n", kind.c_str());
    std::printf("block_bytes %u\n", blocks * 512);
    std::printf("device_blocks %llu\n", static_cast<unsigned long long>(port.BlockCount()));
    std::printf("ticks_per_second %llu\n", static_cast<unsigned long long>(frequency));
    std::printf("commands %llu\n", static_cast<unsigned long long>(commands));
    std::printf("average_kbps %u\n", s.words[7]);
    std::printf("maximum_kbps %u\n", s.words[6]);
    std::printf("minimum_kbps %u\n", s.words[8]);
    std::printf("wall_seconds %.6f\n", seconds);
    std::printf("wall_kbps %.0f\n", seconds > 0 ? bytes / 1024.0 / seconds : 0.0);
    std::printf("check_conditions %llu\n", static_cast<unsigned long long>(port.CheckConditionCount()));
    std::printf("refused %llu\n", static_cast<unsigned long long>(port.RefusedCount()));
    if (result != 0 || port.CheckConditionCount() != 0 || port.RefusedCount() != 0) {
        const std::string why = port.LastRefusal();
        std::fprintf(stderr, "accuracy_bench: the run failed%s%s\n", why.empty() ? "" : ": ", why.c_str());
        return 1;
    }
    return 0;
}
