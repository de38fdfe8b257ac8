// The demo set covers every branch of the device tree: each device answers what its kind
// answers and refuses the rest.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "emulator/DemoSet.h"
#include "native/emulator/RawRequest.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kIn = kScsiIoctlDataIn;

struct Probe {
    explicit Probe(RawDevice& raw) : raw(raw) {}
    bool Clean(std::initializer_list<std::uint8_t> cdb, std::uint32_t length = 256) {
        data.assign(length, 0);
        RawOutcome o = raw.Send(cdb, kIn, data.data(), length);
        return o.ok && o.key == 0 && o.asc == 0 && o.ascq == 0;
    }
    std::set<int> VpdPages() {
        std::set<int> pages;
        for (int p = 0; p < 256; ++p) {
            if (Clean({0x12, 1, std::uint8_t(p), 0, 255, 0}, 255)) pages.insert(p);
        }
        return pages;
    }
    std::set<int> LogPages() {
        std::set<int> pages;
        for (int p = 0; p < 64; ++p) {
            if (Clean({0x4D, 0, std::uint8_t(0x40 | p), 0, 0, 0, 0, 1, 0, 0})) pages.insert(p);
        }
        return pages;
    }
    std::set<int> ModePages() {
        std::set<int> pages;
        for (int p = 0; p < 64; ++p) {
            if (Clean({0x5A, 0, std::uint8_t(p), 0, 0, 0, 0, 1, 0, 0})) pages.insert(p);
        }
        return pages;
    }
    RawDevice& raw;
    std::vector<std::uint8_t> data;
};

class DemoSet : public ::testing::Test {
protected:
    DemoSet() : port(MakeDemoPort(TimeMode::Zero)) {}
    std::unique_ptr<EmulatedPort> port;
};

TEST_F(DemoSet, ListsTwelveNamedDevices) {
    EXPECT_EQ(port->DeviceCount(0), 10u);
    EXPECT_EQ(port->DeviceCount(1), 1u);
    EXPECT_EQ(port->DeviceCount(6), 1u);
    for (const DemoDevice& d : DemoDevices(TimeMode::Zero)) {
        // The name the device reports for itself: a SATA disk's IDENTIFY model, an NVMe disk's
        // Identify Controller model, the INQUIRY texts of every other one.
        const std::string name = !d.config.ataModel.empty()    ? d.config.ataModel
                                 : !d.config.nvmeModel.empty() ? d.config.nvmeModel
                                                               : d.config.vendor + d.config.product;
        EXPECT_EQ(name.find("SEKTRA"), 0u) << name;
        EXPECT_NE(name.find("DEMO"), std::string::npos) << name;
        EXPECT_LE(d.config.product.size(), 16u);
    }
}

// The SATA disk behind the translation layer and the NVMe disk: few pages, no defect lists,
// no SEEK; their health data come through other queries (tested with Device).
TEST_F(DemoSet, SataAndNvmeDisksAnswerLittleThroughScsi) {
    struct Case {
        std::uint32_t index;
        std::set<int> vpd, log, mode;
    } const cases[] = {
        {8, {0x00, 0x80, 0x83}, {0x00, 0x10}, {0x08, 0x0A, 0x3F}},
        {9, {0x00, 0x80, 0x83}, {}, {0x08, 0x3F}},
    };
    for (const Case& c : cases) {
        RawDevice raw(*port, 0, c.index);
        Probe probe(raw);
        EXPECT_EQ(probe.VpdPages(), c.vpd) << c.index;
        EXPECT_EQ(probe.LogPages(), c.log) << c.index;
        EXPECT_EQ(probe.ModePages(), c.mode) << c.index;
        EXPECT_FALSE(probe.Clean({0x37, 0, 0x15, 0, 0, 0, 0, 1, 0, 0})) << c.index;  // no defect lists
        EXPECT_FALSE(probe.Clean({0x2B, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0)) << c.index;  // no SEEK(10)
    }
}

TEST_F(DemoSet, AtaHardDisk) {
    RawDevice raw(*port, 0, 0);
    Probe probe(raw);
    EXPECT_EQ(probe.VpdPages(), (std::set<int>{0x00, 0x80}));
    EXPECT_TRUE(probe.LogPages().empty());
    EXPECT_EQ(probe.ModePages(), (std::set<int>{0x08, 0x3F}));
    EXPECT_FALSE(probe.Clean({0x37, 0, 0x15, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_TRUE(probe.Clean({0x2B, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0));
    ASSERT_TRUE(probe.Clean({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8));
    EXPECT_EQ(Be32(&probe.data[0]), 4194303u);
    EXPECT_EQ(Be32(&probe.data[4]), 512u);
    std::vector<std::uint8_t> identify(528);
    EXPECT_TRUE(raw.Identify(0xEC, identify));
    EXPECT_FALSE(probe.Clean({0x3C, 2, 0, 0, 0, 0, 0, 0x10, 0, 0}, 4096));
}

TEST_F(DemoSet, ScsiDiskHasEveryPageAndABuffer) {
    RawDevice raw(*port, 0, 1);
    Probe probe(raw);
    EXPECT_EQ(probe.VpdPages(), (std::set<int>{0x00, 0x80, 0x83, 0xB0, 0xB1, 0xB2}));
    EXPECT_EQ(probe.LogPages(), (std::set<int>{0x00, 0x02, 0x03, 0x05, 0x0D, 0x0E, 0x10, 0x11, 0x15, 0x2F}));
    EXPECT_EQ(probe.ModePages(), (std::set<int>{0x01, 0x08, 0x0A, 0x1C, 0x3F}));
    EXPECT_TRUE(probe.Clean({0x37, 0, 0x15, 0, 0, 0, 0, 1, 0, 0}));
    EXPECT_TRUE(probe.Clean({0x37, 0, 0x0D, 0, 0, 0, 0, 1, 0, 0}));
    // The buffer probe reads as much as the adapter allows: 1 MiB.
    EXPECT_TRUE(probe.Clean({0x3C, 2, 0, 0, 0, 0, 0x10, 0, 0, 0}, 1048576));
    std::vector<std::uint8_t> identify(528);
    EXPECT_FALSE(raw.Identify(0xEC, identify));
}

TEST_F(DemoSet, UsbFlashDiskHasNoSeek) {
    RawDevice raw(*port, 0, 2);
    Probe probe(raw);
    RawOutcome o = raw.Send({0x2B, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, nullptr, 0);
    EXPECT_EQ(o.key, 5);
    EXPECT_EQ(o.asc, 0x20);
    EXPECT_TRUE(probe.Clean({0x28, 0, 0, 0, 0, 0, 0, 0, 128, 0}, 65536));
    EXPECT_FALSE(probe.Clean({0x28, 0, 0, 0, 0, 0, 0, 0, 129, 0}, 66048));  // beyond the adapter
}

TEST_F(DemoSet, LargeDiskNeedsReadCapacity16) {
    RawDevice raw(*port, 0, 3);
    Probe probe(raw);
    ASSERT_TRUE(probe.Clean({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8));
    EXPECT_EQ(Be32(&probe.data[0]), 0xFFFFFFFFu);
    EXPECT_FALSE(probe.Clean({0x25, 2, 0, 0, 0, 0, 0, 0, 0, 0}, 12));  // the reserved "long form" bit
    ASSERT_TRUE(probe.Clean({0x9E, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0}, 32));
    EXPECT_EQ(Be64(&probe.data[0]), 0x1FFFFFFFFull);
    EXPECT_EQ(Be32(&probe.data[8]), 512u);
}

TEST_F(DemoSet, TwelveTerabyteDiskReadsBeyond32BitsWithSixteenByteCommands) {
    RawDevice raw(*port, 0, 4);
    Probe probe(raw);
    const DeviceConfig& config = port->GetDevice(0, 4)->Config();
    EXPECT_EQ(config.blockCount, 23437770752ull);  // 12,000,138,625,024 bytes
    EXPECT_EQ(config.physicalBlockLength, 4096u);
    ASSERT_TRUE(probe.Clean({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8));
    EXPECT_EQ(Be32(&probe.data[0]), 0xFFFFFFFFu);
    // READ(16) of the last block, 23437770751 = 5 74FF FFFFh: an unwritten block holds its own
    // address in its first 8 bytes.
    ASSERT_TRUE(probe.Clean({0x88, 0, 0, 0, 0, 0x05, 0x74, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 0, 0}, 512));
    EXPECT_EQ(Be64(&probe.data[0]), 23437770751ull);
    // One block past the end: LBA OUT OF RANGE, in descriptor-format sense.
    RawOutcome o = raw.Send({0x88, 0, 0, 0, 0, 0x05, 0x75, 0x00, 0x00, 0x00, 0, 0, 0, 1, 0, 0}, kIn,
                            probe.data.data(), 512);
    EXPECT_EQ(o.request.sense[0], 0x72);
    EXPECT_EQ(o.key, 5);
    EXPECT_EQ(o.asc, 0x21);
}

TEST_F(DemoSet, FourKilobyteBlockDisk) {
    RawDevice raw(*port, 0, 5);
    Probe probe(raw);
    ASSERT_TRUE(probe.Clean({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8));
    EXPECT_EQ(Be32(&probe.data[0]), 1048575u);
    EXPECT_EQ(Be32(&probe.data[4]), 4096u);
    EXPECT_TRUE(probe.Clean({0x28, 0, 0, 0, 0, 0, 0, 0, 16, 0}, 65536));
    EXPECT_FALSE(probe.Clean({0x28, 0, 0, 0, 0, 0, 0, 0, 16, 0}, 65535));  // 16 blocks need 64 KiB
}

TEST_F(DemoSet, AtapiCdRomIsReadOnlyWith2048ByteBlocks) {
    RawDevice raw(*port, 1, 0);
    Probe probe(raw);
    ASSERT_TRUE(probe.Clean({0x12, 0, 0, 0, 36, 0}, 36));
    EXPECT_EQ(probe.data[0], 5);
    EXPECT_EQ(probe.data[1], 0x80);
    ASSERT_TRUE(probe.Clean({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 8));
    EXPECT_EQ(Be32(&probe.data[4]), 2048u);
    EXPECT_TRUE(probe.VpdPages().empty());
    EXPECT_EQ(probe.ModePages(), (std::set<int>{0x01, 0x2A, 0x3F}));
    std::vector<std::uint8_t> block(2048);
    RawOutcome o = raw.Out({0x2A, 0, 0, 0, 0, 0, 0, 0, 1, 0}, block);
    EXPECT_EQ(o.key, 7);
    EXPECT_EQ(o.asc, 0x27);
    std::vector<std::uint8_t> identify(528);
    EXPECT_TRUE(raw.Identify(0xA1, identify));
}

TEST_F(DemoSet, MediumChangerHasNoBlocks) {
    RawDevice raw(*port, 6, 0);
    Probe probe(raw);
    ASSERT_TRUE(probe.Clean({0x12, 0, 0, 0, 36, 0}, 36));
    EXPECT_EQ(probe.data[0], 8);
    RawOutcome o = raw.Send({0x25, 0, 0, 0, 0, 0, 0, 0, 0, 0}, kIn, probe.data.data(), 8);
    EXPECT_EQ(o.key, 5);
    EXPECT_EQ(o.asc, 0x20);
}

// The demo hard disk read sequentially at 64 KB takes its modelled time on the virtual clock:
// about half a minute, so a demo run finishes within a minute in real time.
TEST(DemoTiming, FullSequentialReadOfTheHardDisk) {
    auto port = MakeDemoPort(TimeMode::Virtual);
    RawDevice raw(*port, 0, 0);
    std::vector<std::uint8_t> data(65536);
    for (std::uint32_t lba = 0; lba < 4194304; lba += 128) {
        ASSERT_TRUE(raw.Send({0x28, 0, std::uint8_t(lba >> 24), std::uint8_t(lba >> 16), std::uint8_t(lba >> 8),
                              std::uint8_t(lba), 0, 0, 128, 0},
                             kIn, data.data(), 65536).ok);
    }
    const double seconds = static_cast<double>(port->Clock().Now()) / port->Clock().TicksPerSecond();
    EXPECT_GT(seconds, 20.0);
    EXPECT_LT(seconds, 60.0);
    RecordProperty("seconds", std::to_string(seconds));
}

// The random read of the 12 TB disk's inner tenth (10,000 reads of 4 KB) also ends within about
// a minute of modelled time, so its finished window can be shown in a demo.
TEST(DemoTiming, RandomReadOfTheInnerTenthOfThe12TerabyteDisk) {
    auto port = MakeDemoPort(TimeMode::Virtual);
    RawDevice raw(*port, 0, 4);
    std::vector<std::uint8_t> data(4096);
    const std::uint64_t first = 21093993676ull, count = 2343777069ull;
    std::uint64_t state = 1;
    for (int i = 0; i < 10000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const std::uint64_t lba = first + (state >> 16) % count;
        std::uint8_t cdb[16] = {0x88};
        for (int b = 0; b < 8; ++b) cdb[2 + b] = static_cast<std::uint8_t>(lba >> (56 - 8 * b));
        cdb[13] = 8;
        ASSERT_TRUE(raw.SendPrepared({}, kIn, data.data(), 4096, [&](ScsiRequest& r) {
                           r.sptd.CdbLength = 16;
                           std::copy(cdb, cdb + 16, r.sptd.Cdb);
                       }).ok);
    }
    const double seconds = static_cast<double>(port->Clock().Now()) / port->Clock().TicksPerSecond();
    EXPECT_GT(seconds, 20.0);
    EXPECT_LT(seconds, 90.0);
    RecordProperty("seconds", std::to_string(seconds));
}

}  // namespace
}  // namespace sektra::test
