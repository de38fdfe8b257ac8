// The engine's sequential or random read over the iSCSI port, for bench/iscsi.sh until the
// console runner can do it: one run on the first disk of the URL, printed as one JSON line
// with the keys the runner prints (test, averageKBps, elapsedSeconds, commands, result).
//   usage: iscsi_bench seqread|rndread URL [SIZE_KB]   (SIZE_KB default 64)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "device/Device.h"
#include "device/iscsi/IscsiDevicePort.h"
#include "engine/MessageQueue.h"
#include "engine/RandomTestThread.h"
#include "engine/SequentialTestThread.h"
#include "engine/SystemServices.h"
#include "engine/TimerMode.h"
#include "engine/WindowMessages.h"

namespace sektra {
namespace {

int Main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: iscsi_bench seqread|rndread URL [SIZE_KB]\n");
        return 2;
    }
    const std::string test = argv[1];
    const long kilobytes = argc == 4 ? std::atol(argv[3]) : 64;
    if ((test != "seqread" && test != "rndread") || kilobytes <= 0 || kilobytes > 1024) {
        std::fprintf(stderr, "iscsi_bench: bad test or size\n");
        return 2;
    }
    IscsiDevicePort port({argv[2]});
    Device device(&port);
    if (device.Open(0, 0) != 0) {
        std::fprintf(stderr, "iscsi_bench: %s\n", port.LastError().c_str());
        return 1;
    }
    std::uint32_t lastLba = 0, blockLength = 0;
    if (device.ReadCapacity(&lastLba, &blockLength) != 0 || blockLength == 0) {
        std::fprintf(stderr, "iscsi_bench: no capacity\n");
        return 1;
    }
    const std::uint64_t frequency = GetSystemServices().PerformanceFrequency();
    const auto low = static_cast<std::uint32_t>(frequency), high = static_cast<std::uint32_t>(frequency >> 32);
    const auto blocks = static_cast<std::uint32_t>(kilobytes * 1024 / blockLength);
    MessageQueue window;
    std::unique_ptr<TestThread> thread;
    if (test == "seqread") {
        thread = std::make_unique<SequentialReadTestThread>(&window, &device, low, high, kPerformanceCounter, blocks, 0,
                                                            100, 201);
    } else {
        thread = std::make_unique<RandomReadTestThread>(&window, &device, low, high, kPerformanceCounter, blocks, 0,
                                                        100, 801);
    }
    thread->SetRunning(true);
    const auto start = std::chrono::steady_clock::now();
    thread->Run();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    PostedMessage message{};
    const bool finished = window.Wait(&message, std::chrono::milliseconds(0)) && message.message == WM_TEST_FINISHED;
    TestSnapshot s = {};
    thread->GetSnapshot(&s);
    const std::uint64_t commands = (std::uint64_t{s.words[5]} << 32) | s.words[4];
    std::printf("{\"test\": \"%s\", \"averageKBps\": %u, \"elapsedSeconds\": %.3f, \"commands\": %llu, "
                "\"result\": \"%s\"}\n",
                test.c_str(), s.words[7], elapsed, static_cast<unsigned long long>(commands),
                finished ? "finished" : "failed");
    return finished ? 0 : 1;
}

}  // namespace
}  // namespace sektra

int main(int argc, char** argv) { return sektra::Main(argc, argv); }
