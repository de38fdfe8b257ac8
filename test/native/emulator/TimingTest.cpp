// The modelled duration of commands, checked against figures computed here from the model's
// formulas, with the virtual clock at 10 MHz (one tick = 100 ns).
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "emulator/DemoSet.h"
#include "emulator/MulDiv.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kIn = kScsiIoctlDataIn;

// Ticks the clock moved while `send` ran.
template <typename Send>
std::uint64_t Ticks(EmulatedPort& port, Send send) {
    const std::uint64_t before = port.Clock().Now();
    send();
    return port.Clock().Now() - before;
}

struct Disk {
    explicit Disk(const TimingModel& timing, std::uint64_t blocks = 1000000)
        : device(port.AddDevice(0, TestDisk(blocks, timing))), raw(port), data(1048576) {}
    std::uint64_t Read(std::uint32_t lba, std::uint16_t blocks) {
        return Command({0x28, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8),
                        std::uint8_t(lba), 0, std::uint8_t(blocks >> 8), std::uint8_t(blocks), 0},
                       kIn, blocks * 512u);
    }
    std::uint64_t Write(std::uint32_t lba, std::uint16_t blocks) {
        return Command({0x2A, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8),
                        std::uint8_t(lba), 0, std::uint8_t(blocks >> 8), std::uint8_t(blocks), 0},
                       kScsiIoctlDataOut, blocks * 512u);
    }
    std::uint64_t Seek(std::uint32_t lba) {
        return Command({0x2B, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8),
                        std::uint8_t(lba), 0, 0, 0, 0},
                       kIn, 0);
    }
    std::uint64_t Command(std::initializer_list<std::uint8_t> cdb, std::uint8_t dataIn, std::uint32_t length) {
        return Ticks(port, [&] { EXPECT_TRUE(raw.Send(cdb, dataIn, data.data(), length).ok); });
    }
    EmulatedPort port;
    EmulatedDevice& device;
    RawDevice raw;
    std::vector<std::uint8_t> data;
};

TEST(Timing, FixedCostPlusBytesOverRate) {
    TimingModel t;
    t.mode = TimeMode::Virtual;
    t.commandNs = 10000;
    t.outerBytesPerSecond = 100000000;
    Disk disk(t);
    // 10 us + 65536 B / 100 MB/s = 10,000 + 655,360 ns = 665,360 ns -> 6653 ticks (truncated).
    EXPECT_EQ(disk.Read(0, 128), 6653u);
    EXPECT_EQ(disk.Read(500000, 128), 6653u);  // no seek, no zones in this model
    EXPECT_EQ(disk.Write(7, 1), (10000u + 5120u) / 100);
    EXPECT_EQ(disk.Seek(999999), 100u);
    // INQUIRY and every failed command: the fixed cost alone.
    EXPECT_EQ(disk.Command({0x12, 0, 0, 0, 36, 0}, kIn, 36), 100u);
    EXPECT_EQ(disk.Read(1000000, 1), 100u);
    // Buffer commands use the media rate when no interface rate is given: 4096 B -> 40,960 ns.
    EXPECT_EQ(disk.Command({0x3C, 2, 0, 0, 0, 0, 0, 0x10, 0, 0}, kIn, 4096), (10000u + 40960u) / 100);
}

TEST(Timing, SeekRotationZonesAndCache) {
    TimingModel t;
    t.mode = TimeMode::Virtual;
    t.commandNs = 50000;
    t.outerBytesPerSecond = 100000000;
    t.innerBytesPerSecond = 50000000;
    t.trackSeekNs = 1000000;
    t.fullSeekNs = 11000000;
    t.rotationNs = 8000000;
    t.cacheBlocks = 256;
    t.interfaceBytesPerSecond = 200000000;
    Disk disk(t, 1000000);

    // Head at 0: no positioning. Rate at block 0 is the outer rate: 65536 B -> 655,360 ns.
    EXPECT_EQ(disk.Read(0, 128), (50000u + 655360u) / 100);
    // Continuing sequentially: no positioning; rate at block 128 = 100e6 - 50e6 * 128 / 1e6 = 99,993,600.
    const std::uint64_t rate128 = 100000000 - 50000000ull * 128 / 1000000;
    EXPECT_EQ(disk.Read(128, 128), (50000 + 65536ull * 1000000000 / rate128) / 100);
    // The cache holds the blocks of the latest read (128-255): reading them again costs the
    // interface rate only and leaves the head at 256.
    EXPECT_EQ(disk.Read(128, 128), (50000u + 327680u) / 100);
    // Jump to block 500000: track seek + 10 ms * (500000 - 256) / 1e6 + half a rotation.
    const std::uint64_t seek = 1000000 + 10000000ull * (500000 - 256) / 1000000 + 4000000;
    const std::uint64_t rate500k = 100000000 - 50000000ull * 500000 / 1000000;  // 75 MB/s
    EXPECT_EQ(disk.Read(500000, 1), (50000 + seek + 512ull * 1000000000 / rate500k) / 100);
    // SEEK back to 0: the full formula again; then a read at 0 is no cache hit any more.
    const std::uint64_t back = 1000000 + 10000000ull * 500001 / 1000000 + 4000000;
    EXPECT_EQ(disk.Seek(0), (50000 + back) / 100);
    EXPECT_EQ(disk.Read(0, 1), (50000u + 5120u) / 100);
    // A write over cached blocks empties the cache.
    EXPECT_EQ(disk.Read(0, 1), (50000u + 2560u) / 100);
    disk.Write(0, 1);
    disk.Seek(0);
    EXPECT_EQ(disk.Read(0, 1), (50000u + 5120u) / 100);
    // Buffer commands move at the interface rate: 65536 B at 200 MB/s = 327,680 ns.
    EXPECT_EQ(disk.Command({0x3C, 2, 0, 0, 0, 0, 0x01, 0, 0, 0}, kIn, 65536), (50000u + 327680u) / 100);
    // READ(16) with FUA of the block just read (block 0, head at 1): from the medium, not the
    // cache: track seek over one block + half a rotation, then 512 B at the outer rate.
    const std::uint64_t oneBlock = 1000000 + 10000000ull * 1 / 1000000 + 4000000;
    EXPECT_EQ(disk.Command({0x88, 0x08, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0}, kIn, 512),
              (50000 + oneBlock + 5120) / 100);
}

TEST(Timing, ZeroModeLeavesTheClockAlone) {
    EmulatedPort port;
    port.AddDevice(0, ZeroTimeDisk());
    RawDevice raw(port);
    std::vector<std::uint8_t> d(65536);
    EXPECT_EQ(Ticks(port, [&] { raw.In({0x28, 0, 0, 0, 0, 0, 0, 0, 128, 0}, d); }), 0u);
}

TEST(Timing, RealModeTakesAtLeastTheModelledTime) {
    EmulatedPort port;
    port.AddDevice(0, FixedRealTimeDisk(0, 655360000));  // 100 us per 64 KB
    RawDevice raw(port);
    std::vector<std::uint8_t> d(65536);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 10; ++i) ASSERT_EQ(raw.In({0x28, 0, 0, 0, 0, 0, 0, 0, 128, 0}, d).status, 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(1000));
    EXPECT_EQ(port.Clock().Now(), 0u);
}

TEST(Timing, VirtualClockConversion) {
    VirtualClock clock(3579545);
    clock.AdvanceMicroseconds(1000000);
    EXPECT_EQ(clock.Now(), 3579545u);
    clock.AdvanceMicroseconds(1);
    EXPECT_EQ(clock.Now(), 3579545u + 3u);  // 3.58 ticks truncated
}

#if defined(__SIZEOF_INT128__)
TEST(Timing, MulDivMatchesTheWideTypeAndTakesNoTimeForZeroRates) {
    const std::uint64_t cases[][3] = {
        {0, 5, 7}, {123, 456, 789}, {0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull, 0xFFFFFFFFFFFFFFFFull},
        {3000000000ull, 40000000000ull, 1000000}, {0x8000000000000001ull, 3, 2}, {1ull << 40, 1000000000, 7},
        {0xFFFFFFFFFFFFFFFFull, 1000000000, 999999937}, {5, 5, 0},
    };
    for (const auto& c : cases) {
        const unsigned __int128 product = static_cast<unsigned __int128>(c[0]) * c[1];
        const std::uint64_t expected = c[2] ? static_cast<std::uint64_t>(product / c[2]) : 0;
        EXPECT_EQ(EmulatorMulDiv(c[0], c[1], c[2]), expected) << c[0] << " " << c[1] << " " << c[2];
    }
}
#endif

}  // namespace
}  // namespace sektra::test
