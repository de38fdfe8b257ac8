// list, info and run on the demo set, in-process and on the emulated devices' virtual clock:
// the reports read back and checked against the demo devices' sizes, the refusals of the
// writing tests proved by the devices' command logs, and the CSV file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "JsonReader.h"
#include "cli/CliMain.h"
#include "emulator/DemoSet.h"
#include "engine/VirtualSystemServices.h"
#include "framework/TextFile.h"

namespace sektra::test {
namespace {

constexpr std::uint8_t kWrite10 = 0x2A;
constexpr std::uint8_t kWriteBuffer = 0x3B;

class CliRunTest : public ::testing::Test {
protected:
    CliRunTest() {
        environment.out = &out;
        environment.err = &err;
        environment.targets.demoPort = port.get();
        environment.services = &services;
    }

    int Run(const std::vector<std::string>& arguments) {
        out.str("");
        err.str("");
        return RunCli(arguments, environment);
    }

    // Standard output read as one JSON value.
    JsonValue Report() {
        JsonValue value;
        EXPECT_TRUE(JsonReader::Parse(out.str(), &value)) << out.str();
        return value;
    }

    // demo:0 to demo:3 are disks 0 to 3, demo:4 the CD-ROM drive.
    EmulatedDevice& Disk(std::uint32_t index) { return *port->GetDevice(kInterfaceClassDisk, index); }
    EmulatedDevice& CdRom() { return *port->GetDevice(kInterfaceClassCdRom, 0); }

    std::unique_ptr<EmulatedPort> port = MakeDemoPort(TimeMode::Virtual);
    VirtualSystemServices services{port->Clock()};
    std::ostringstream out, err;
    CliEnvironment environment;
};

TEST_F(CliRunTest, ListNamesEveryDemoDevice) {
    ASSERT_EQ(Run({"list", "--json"}), kExitFinished) << err.str();
    const JsonValue list = Report();
    ASSERT_EQ(list.kind, JsonValue::Array);
    // The demo set's order: four disks, the CD-ROM drive, the changer, then the later disks.
    ASSERT_EQ(list.items.size(), 12u);
    const char* types[] = {"Direct Access Device", "Direct Access Device", "Direct Access Device",
                           "Direct Access Device", "CDROM Device",         "Media Changer",
                           "Direct Access Device", "Direct Access Device", "Direct Access Device",
                           "Direct Access Device", "Direct Access Device", "Direct Access Device"};
    for (std::size_t i = 0; i < 12; ++i) {
        EXPECT_EQ(list.items[i]["target"].text, "demo:" + std::to_string(i));
        EXPECT_EQ(list.items[i]["type"].text, types[i]);
    }
    ASSERT_EQ(Run({"list"}), kExitFinished);
    EXPECT_NE(out.str().find("demo:4"), std::string::npos);
    EXPECT_NE(out.str().find("SEKTRA DEMO CD-ROM ATAPI"), std::string::npos);
}

TEST_F(CliRunTest, InfoReportsIdentificationAndCapacity) {
    struct Case {
        const char* target;
        const char* vendor;
        const char* product;
        const char* revision;
        const char* serial;
        std::uint64_t blocks;
        std::uint64_t blockLength;
    };
    // The demo set's sizes: 2 GiB, 4 GiB and 2^33 blocks of 512 bytes; 225000 CD blocks of 2048.
    const Case cases[] = {
        {"demo:0", "SEKTRA D", "EMO HDD ATA 2GB", "D100", "SKT0000A0001", 2147483648ull / 512, 512},
        {"demo:1", "SEKTRA", "DEMO SCSI DISK", "S200", "SKT0000S0002", 4294967296ull / 512, 512},
        {"demo:3", "SEKTRA", "DEMO 4TB DISK", "L300", "SKT0000L0004", 8589934592ull, 512},
        {"demo:4", "SEKTRA D", "EMO CD-ROM ATAPI", "C1.0", "SKT0000C0005", 225000, 2048},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Run({"info", c.target, "--json"}), kExitFinished) << c.target << err.str();
        const JsonValue info = Report();
        EXPECT_EQ(info["vendor"].text, c.vendor) << c.target;
        EXPECT_EQ(info["product"].text, c.product) << c.target;
        EXPECT_EQ(info["revision"].text, c.revision) << c.target;
        EXPECT_EQ(info["serial"].text, c.serial) << c.target;
        EXPECT_EQ(info["blocks"].number, c.blocks) << c.target;
        EXPECT_EQ(info["blockLength"].number, c.blockLength) << c.target;
        EXPECT_EQ(info["capacityBytes"].number, c.blocks * c.blockLength) << c.target;
    }
    // The changer has no capacity: reported as 0 blocks, still a device that answered.
    ASSERT_EQ(Run({"info", "demo:5", "--json"}), kExitFinished);
    EXPECT_EQ(Report()["blocks"].number, 0u);
}

TEST_F(CliRunTest, UnknownTargetsAreClearErrors) {
    EXPECT_EQ(Run({"info", "demo:12"}), kExitFailed);
    EXPECT_NE(err.str().find("demo:0 to demo:11"), std::string::npos) << err.str();
    for (const char* bad : {"demo:", "demo:x", "demo:-1", "demo:1234", "sda", "iscsi://127.0.0.1/"}) {
        EXPECT_EQ(Run({"info", bad}), kExitUsage) << bad;
        EXPECT_NE(err.str().find(bad), std::string::npos) << err.str();
    }
}

TEST_F(CliRunTest, SequentialReadOfTheLastTenthReportsItsBlocks) {
    // 90 % of 4194304 blocks is 3774873.6, truncated; 419431 blocks at 128 a command is 3277
    // commands, the last one shortened.
    ASSERT_EQ(Run({"run", "seqread", "demo:0", "--range", "90-100", "--json", "-"}), kExitFinished) << err.str();
    const JsonValue run = Report();
    EXPECT_EQ(run["test"].text, "seqread");
    EXPECT_EQ(run["result"].text, "finished");
    EXPECT_FALSE(run.Has("error"));
    EXPECT_EQ(run["firstBlock"].number, 3774873u);
    EXPECT_EQ(run["lastBlock"].number, 4194303u);
    EXPECT_EQ(run["blocksPerCommand"].number, 128u);
    EXPECT_EQ(run["commands"].number, 3277u);
    EXPECT_EQ(run["progress"].number, 1000u);
    EXPECT_GE(run["bestKBps"].number, run["averageKBps"].number);
    EXPECT_GE(run["averageKBps"].number, run["worstKBps"].number);
    EXPECT_GT(run["worstKBps"].number, 0u);
    EXPECT_EQ(run["csv"].kind, JsonValue::Null);
    // Every block of the range was read once (besides the probe of the largest read), and
    // nothing was written.
    EXPECT_EQ(Disk(0).Log().CountOpcode(0x28), 3277u + 1);
    EXPECT_FALSE(Disk(0).Log().AnyWriteSent());
}

TEST_F(CliRunTest, EveryReadingTestRunsToItsEnd) {
    struct Case {
        std::vector<std::string> arguments;
        std::uint64_t commands;
        bool hasBlocks;
        std::uint64_t firstBlock, lastBlock;
    };
    const Case cases[] = {
        // 10000 random commands; the range is 45 % to 55 % of 2^23 blocks (3774873.6 and 4613734.4).
        {{"run", "rndread", "demo:1", "--size", "4", "--range", "45-55"}, 10000, true, 3774873, 4613733},
        // 1000 seeks between the first and the last block.
        {{"run", "seek", "demo:0"}, 1000, true, 0, 4194303},
        // 1000 timed reads of 32 blocks at block 0.
        {{"run", "cachehit", "demo:1", "--size", "16"}, 1000, true, 0, 31},
        {{"run", "readbuffer", "demo:1", "--size", "256"}, 1000, false, 0, 0},
        // Read-only tests run on the CD-ROM drive too: 2048-byte blocks, 32 per command.
        {{"run", "seqread", "demo:4", "--range", "0-10"}, (225000 / 10 + 31) / 32, true, 0, 22499},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"--json", "-"});
        ASSERT_EQ(Run(arguments), kExitFinished) << arguments[1] << err.str();
        const JsonValue run = Report();
        EXPECT_EQ(run["result"].text, "finished") << arguments[1];
        EXPECT_EQ(run["commands"].number, c.commands) << arguments[1];
        EXPECT_EQ(run["progress"].number, run["fullProgress"].number) << arguments[1];
        if (c.hasBlocks) {
            EXPECT_EQ(run["firstBlock"].number, c.firstBlock) << arguments[1];
            EXPECT_EQ(run["lastBlock"].number, c.lastBlock) << arguments[1];
        } else {
            EXPECT_EQ(run["firstBlock"].kind, JsonValue::Null) << arguments[1];
        }
    }
    // The seek test's figures are times, under keys of their own.
    ASSERT_EQ(Run({"run", "seek", "demo:0", "--json", "-"}), kExitFinished);
    const JsonValue seek = Report();
    EXPECT_EQ(seek["bestKBps"].kind, JsonValue::Null);
    EXPECT_LE(seek["shortestMicroseconds"].number, seek["averageMicroseconds"].number);
    EXPECT_LE(seek["averageMicroseconds"].number, seek["longestMicroseconds"].number);
    EXPECT_GT(seek["shortestMicroseconds"].number, 0u);
    for (std::uint32_t i = 0; i < 4; ++i) EXPECT_FALSE(Disk(i).Log().AnyWriteSent()) << i;
}

TEST_F(CliRunTest, WritingTestsAreRefusedWithoutTheWord) {
    const std::vector<std::vector<std::string>> refused = {
        {"run", "seqwrite", "demo:0"},
        {"run", "rndwrite", "demo:0", "--confirm", "write"},
        {"run", "seqwrite", "demo:0", "--confirm", "WRITE "},
        {"run", "writebuffer", "demo:1", "--confirm", ""},
        {"run", "writebuffer", "demo:1"},
        // A CD-ROM drive is never written, whatever the word.
        {"run", "seqwrite", "demo:4", "--confirm", "WRITE"},
        {"run", "rndwrite", "demo:4", "--confirm", "WRITE"},
        // Nor is a medium changer tested at all.
        {"run", "seqread", "demo:5"},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(Run(arguments), kExitRefused) << arguments[1] << " " << arguments.size();
        EXPECT_FALSE(err.str().empty());
    }
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_FALSE(Disk(i).Log().AnyWriteSent()) << i;
        EXPECT_EQ(Disk(i).Log().CountOpcode(kWrite10) + Disk(i).Log().CountOpcode(kWriteBuffer), 0u) << i;
    }
    EXPECT_FALSE(CdRom().Log().AnyWriteSent());
    // Without the word not even the device is asked anything.
    EXPECT_EQ(Disk(0).Log().Total(), 0u);

    // With it the test writes: 419431 blocks of the last tenth at 128 a command.
    ASSERT_EQ(Run({"run", "seqwrite", "demo:0", "--range", "90-100", "--confirm", "WRITE", "--json", "-"}),
              kExitFinished)
        << err.str();
    EXPECT_EQ(Report()["result"].text, "finished");
    EXPECT_EQ(Disk(0).Log().CountOpcode(kWrite10), 3277u);
}

// demo:N of the demo device with this product name.
std::string DemoTarget(const std::string& product) {
    const std::vector<DemoDevice> devices = DemoDevices(TimeMode::Zero);
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].config.product == product) return "demo:" + std::to_string(i);
    }
    ADD_FAILURE() << product;
    return "";
}

TEST_F(CliRunTest, TheLastTenthOfA12TBDiskAndItsAccessTime) {
    const std::string disk = DemoTarget("DEMO 12TB DISK");
    // 23437770752 blocks: 90 % is 21093993676.8, truncated.
    ASSERT_EQ(Run({"run", "rndread", disk, "--range", "90-100", "--json", "-"}), kExitFinished) << err.str();
    JsonValue report = Report();
    EXPECT_EQ(report["firstBlock"].number, 21093993676u);
    EXPECT_EQ(report["lastBlock"].number, 23437770751u);
    EXPECT_EQ(report["commands"].number, 10000u);
    // No SEEK(10) reaches beyond 2^32 blocks: the figure is an access time, and says so.
    ASSERT_EQ(Run({"run", "seek", disk, "--json", "-"}), kExitFinished) << err.str();
    report = Report();
    EXPECT_NE(report["title"].text.find("Access"), std::string::npos) << report["title"].text;
}

TEST_F(CliRunTest, DisksThatHoldDataAreNeverWritten) {
    struct Case {
        const char* product;
        const char* found;
    };
    const Case cases[] = {{"DEMO MBR DISK", "MBR partition table (2)"}, {"DEMO GPT DISK", "GPT partition table"}};
    for (const Case& c : cases) {
        for (const char* test : {"seqwrite", "rndwrite"}) {
            EXPECT_EQ(Run({"run", test, DemoTarget(c.product), "--confirm", "WRITE", "--json", "-"}), kExitRefused);
            EXPECT_NE(err.str().find(c.found), std::string::npos) << err.str();
            EXPECT_NE(err.str().find("diskpart"), std::string::npos) << err.str();
            EXPECT_TRUE(out.str().empty());
        }
        // Reading goes on as ever.
        EXPECT_EQ(Run({"run", "seqread", DemoTarget(c.product), "--range", "99-100"}), kExitFinished) << err.str();
    }
    for (std::uint32_t i = 0; i < port->DeviceCount(kInterfaceClassDisk); ++i) {
        EXPECT_FALSE(Disk(i).Log().AnyWriteSent()) << i;
    }
}

TEST_F(CliRunTest, SizesTheDeviceCannotTakeAreRefusedBeforeAnyTest) {
    // The ATA disk moves at most 128 KB a command; the CD-ROM drive's blocks are 2 KB; demo:0
    // has no drive buffer to read.
    EXPECT_EQ(Run({"run", "seqread", "demo:0", "--size", "256"}), kExitUsage);
    EXPECT_NE(err.str().find("at most 256 blocks"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"run", "seqread", "demo:4", "--size", "1"}), kExitUsage);
    EXPECT_NE(err.str().find("2048-byte blocks"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"run", "readbuffer", "demo:0", "--json", "-"}), kExitFailed);
    const JsonValue failed = Report();
    EXPECT_EQ(failed["result"].text, "failed");
    EXPECT_NE(failed["error"].text.find("no buffer"), std::string::npos);
    EXPECT_EQ(failed["commands"].number, 0u);
    EXPECT_EQ(Run({"run", "readbuffer", "demo:1", "--size", "4096"}), kExitUsage);
    // Only the probe of the largest read reached the disk.
    EXPECT_EQ(Disk(0).Log().CountOpcode(0x28), 1u);
}

TEST_F(CliRunTest, LatencyFiguresAndTransferChoicesInTheReport) {
    // The USB flash disk (demo:2) spends 300 µs on every command and moves 30 MB/s, with no seek
    // and no cache: a 4 KiB read takes 300000 + 4096 × 10^9 ÷ (30 × 10^6) = 436533 ns, 4365
    // ticks of the 10 MHz virtual clock once truncated, that is 436500 ns. 10^7 ÷ 4365 = 2290.9.
    ASSERT_EQ(Run({"run", "rndread", "demo:2", "--size", "4", "--aligned", "--json", "-"}), kExitFinished)
        << err.str();
    const JsonValue run = Report();
    EXPECT_EQ(run["iops"].number, 2290u);
    EXPECT_EQ(run["wallIops"].number, 2290u);
    for (const char* key : {"min", "mean", "p50", "p90", "p99", "p99.9", "p99.99", "max"}) {
        EXPECT_EQ(run["latencyNs"][key].number, 436500u) << key;
    }
    EXPECT_TRUE(run["aligned"].boolean);
    EXPECT_FALSE(run["randomData"].boolean);
    std::uint64_t reads = 0;
    for (const LoggedCommand& c : Disk(2).Log().Entries()) {
        if (c.opcode != 0x28 || c.blocks != 8) continue;
        ++reads;
        EXPECT_EQ(c.lba % 8, 0u) << c.lba;
    }
    EXPECT_GE(reads, 10000u);

    // Random bytes written: the first output of the standard generator's default seed,
    // 3499211612 = D091BB5Ch, low byte first, opens every command's data.
    ASSERT_EQ(Run({"run", "rndwrite", "demo:0", "--range", "90-100", "--size", "4", "--random-data", "--confirm", "WRITE",
                   "--json", "-"}),
              kExitFinished)
        << err.str();
    EXPECT_TRUE(Report()["randomData"].boolean);
    const std::vector<LoggedCommand> log = Disk(0).Log().Entries();
    const auto write = std::find_if(log.rbegin(), log.rend(), [](const LoggedCommand& c) { return c.opcode == kWrite10; });
    ASSERT_NE(write, log.rend());
    const std::vector<std::uint8_t> data = Disk(0).ReadMedium(write->lba, 1);
    EXPECT_EQ((std::vector<std::uint8_t>(data.begin(), data.begin() + 4)),
              (std::vector<std::uint8_t>{0x5C, 0xBB, 0x91, 0xD0}));
}

TEST_F(CliRunTest, CsvFileIsTheWindowsFile) {
    const std::string path = ::testing::TempDir() + "cli-run-test.csv";
    std::remove(path.c_str());
    ASSERT_EQ(Run({"run", "seqread", "demo:1", "--range", "0-10", "--size", "1024", "--csv", path, "--json", "-"}),
              kExitFinished)
        << err.str();
    EXPECT_EQ(Report()["csv"].text, path);
    TextFile file;
    std::vector<std::wstring> lines;
    ASSERT_EQ(file.ReadLines(std::wstring(path.begin(), path.end()).c_str(), lines), 0);
    // 838860 blocks: position step 512 (the smallest power of two above 838860 / 2000 = 419),
    // 838860 / 512 + 1 = 1639 columns. The file: 9 head lines, header, 1000 rows, empty line,
    // header, 1639 rows as ever; then the latency section: an empty line, the heading and 11
    // figures, an empty line, the bucket header and at least one bucket; the empty text after
    // the last CR LF.
    constexpr std::size_t kTables = 9 + 1 + 1000 + 1 + 1 + 1639;
    ASSERT_GE(lines.size(), kTables + 1 + 12 + 1 + 1 + 1 + 1);
    EXPECT_EQ(lines[kTables - 1].rfind(L"409.500 MB - 409.750 MB,", 0), 0u);  // column 1638: 1638 × 512 blocks in
    EXPECT_EQ(lines[kTables], L"");
    EXPECT_EQ(lines[kTables + 1], L"\u30EC\u30A4\u30C6\u30F3\u30B7,");  // レイテンシ
    EXPECT_EQ(lines[kTables + 2], L"\u30B3\u30DE\u30F3\u30C9\u6570,410,");  // コマンド数: 838860 / 2048 rounded up
    EXPECT_EQ(lines[kTables + 13], L"");
    EXPECT_EQ(lines[kTables + 14], L"\u533A\u9593 (\u03BCs),\u56DE\u6570,");  // 区間 (μs), 回数
    EXPECT_EQ(lines.back(), L"");
    EXPECT_EQ(lines[0], L"\u30E2\u30C7\u30EB,SEKTRA DEMO SCSI DISK,");  // モデル
    EXPECT_EQ(lines[2], L"\u30C6\u30B9\u30C8,Seq. Read Test(1024.0KB \u5916\u5468 (0% - 10%)),");  // テスト, 外周
    EXPECT_EQ(lines[3], L"");
    EXPECT_EQ(lines[8], L"");
    EXPECT_EQ(lines[10].rfind(L"0.0 % - 0.1 %,", 0), 0u);
    std::remove(path.c_str());

    // A file that cannot be written fails the run, whose figures still go out.
    EXPECT_EQ(Run({"run", "seqread", "demo:1", "--range", "0-10", "--csv", "/nonexistent-folder/x.csv"}),
              kExitFailed);
    EXPECT_NE(err.str().find("no CSV file written"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace sektra::test
