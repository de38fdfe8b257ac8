// Every way a measured command can fail, in the middle of each of the eight tests: the run ends
// with WM_TEST_FAILED 2, and the failed command's time becomes no sample, so no rate or time of
// it shows anywhere, neither in the snapshot, nor in the tables, nor in the saved file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "EngineFixture.h"
#include "TestKinds.h"
#include "testwindows/CsvTables.h"

namespace sektra {
namespace {

struct FailureKind {
    const char* name;
    FaultAction action;
    std::uint8_t status;  // Status only
    std::uint8_t key, asc, ascq;
};

const FailureKind kFailureKinds[] = {
    {"call failure", FaultAction::FailControl, 0, 0, 0, 0},
    {"CHECK CONDITION, fixed sense", FaultAction::CheckCondition, 0, 0x04, 0x44, 0x00},
    {"CHECK CONDITION, descriptor sense", FaultAction::CheckConditionDescriptor, 0, 0x03, 0x11, 0x00},
    {"DATA PROTECT", FaultAction::CheckCondition, 0, 0x07, 0x27, 0x00},
    {"BUSY", FaultAction::Status, 0x08, 0, 0, 0},
    {"RESERVATION CONFLICT", FaultAction::Status, 0x18, 0, 0, 0},
    {"TASK SET FULL", FaultAction::Status, 0x28, 0, 0, 0},
    {"RECOVERED ERROR", FaultAction::CheckCondition, 0, 0x01, 0x17, 0x01},
    {"underrun", FaultAction::ShortTransfer, 0, 0, 0, 0},
};

// The saved file of a finished or failed run, as the window writes it.
std::vector<std::wstring> SavedFile(TestThread& thread) {
    TestSnapshot s = {};
    thread.GetSnapshot(&s);
    CsvSummary summary;
    const bool seek = dynamic_cast<SeekTestThread*>(&thread) != nullptr;
    summary.best = s.words[6];
    summary.average = s.words[7];
    summary.worst = s.words[8];
    summary.count = std::uint64_t{s.words[5]} << 32 | s.words[4];
    const CsvLabels labels = {L"m", L"r", L"t", L"b", L"a", L"w", L"c", L"g"};
    CsvFile csv;
    WriteCommonRows(csv, labels, summary);
    if (auto* sequential = dynamic_cast<SequentialTestThread*>(&thread)) {
        const SampleTable *progress, *position;
        std::uint32_t points;
        std::uint64_t step;
        sequential->GetSamples(&progress, &position, &points, &step);
        WriteSequentialTables(csv, labels, *progress, *position, points, step, 512, sequential->GetFirstLba());
    } else if (auto* random = dynamic_cast<RandomTestThread*>(&thread)) {
        WriteSampleTable(csv, labels, *random->GetSamples(), HistogramKind::Random);
    } else if (seek) {
        WriteSampleTable(csv, labels, *static_cast<SeekTestThread&>(thread).GetSamples(), HistogramKind::Seek);
    } else {
        WriteSampleTable(csv, labels, *static_cast<RepeatTestThread&>(thread).GetSamples(), HistogramKind::Cache);
    }
    return csv.ToLines();
}

// Samples counted in a thread's tables (the progress table's columns for a sequential test).
std::uint64_t SampleCount(TestThread& thread) {
    if (auto* sequential = dynamic_cast<SequentialTestThread*>(&thread)) {
        const SampleTable *progress, *position;
        std::uint32_t points;
        std::uint64_t step;
        sequential->GetSamples(&progress, &position, &points, &step);
        std::uint64_t total = 0;
        for (std::uint32_t c = 0; c < progress->Columns(); ++c) total += progress->Get(3, c);
        return total;
    }
    if (auto* random = dynamic_cast<RandomTestThread*>(&thread)) return random->GetSamples()->Get(3);
    if (auto* seek = dynamic_cast<SeekTestThread*>(&thread)) return seek->GetSamples()->Get(3);
    return static_cast<RepeatTestThread&>(thread).GetSamples()->Get(3);
}

TEST(FailureKindsTest, AFailedCommandEndsEveryTestAndNoFigureComesFromIt) {
    for (const FailureKind& failure : kFailureKinds) {
        for (const TestKind& kind : AllTestKinds()) {
            SCOPED_TRACE(std::string(failure.name) + " in " + kind.name);
            // SEEK(10) moves no data, so it cannot move too little.
            if (failure.action == FaultAction::ShortTransfer && kind.name == "seek") continue;
            EngineFixture disk;
            std::unique_ptr<TestThread> thread = kind.make(disk, disk.TpsLow());
            const bool seek = kind.name == "seek";
            // Untimed commands before the measuring: the seek test's positioning, the warm-up
            // reads of the cache hit test.
            const std::uint64_t untimed = seek ? 1 : kind.name == "cache hit" ? 10 : 0;
            const std::uint64_t capacityCalls = kind.name == "read buffer" || kind.name == "write buffer" ? 0 : 1;
            // Good commands take 1000 ticks; the failing fourth one a single tick, so that any
            // figure taken from it would be 1000 times the others.
            TestSnapshot beforeFailure = {};
            disk.Port().ticks = [&](std::uint64_t index, const SentCommand&) -> std::uint64_t {
                if (index == untimed + 3) {
                    thread->GetSnapshot(&beforeFailure);
                    return 1;
                }
                return 1000;
            };
            FaultRule rule{failure.action,
                           static_cast<std::int64_t>(disk.Emulated().Log().Total() + capacityCalls + untimed + 3)};
            rule.status = failure.status;
            rule.senseKey = failure.key;
            rule.asc = failure.asc;
            rule.ascq = failure.ascq;
            disk.Emulated().AddFault(rule);

            EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu);
            const std::vector<PostedMessage> messages = disk.Messages();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].message, WM_TEST_FAILED);
            EXPECT_EQ(messages[0].wParam, kCommandFailed);
            EXPECT_EQ(disk.Services().OutstandingBuffers(), 0);
            EXPECT_EQ(disk.Measured().size(), untimed + 4);  // nothing after the failed command

            TestSnapshot s = {};
            thread->GetSnapshot(&s);
            EXPECT_EQ(s.words[4], 4u);  // the failed command counts
            for (int w = 6; w <= 9; ++w) EXPECT_EQ(s.words[w], beforeFailure.words[w]) << "word " << w;
            EXPECT_NE(s.words[seek ? 8 : 6], 0u);  // three good samples were taken
            EXPECT_EQ(SampleCount(*thread), 3u);

            // A figure of the failed command would be 1000 times the good ones: the saved file
            // holds no number above the good commands' best. The file is written from the
            // snapshot and the tables checked above, so one kind of failure shows it for all.
            if (&failure != &kFailureKinds[0]) continue;
            const std::uint64_t best = std::max<std::uint32_t>(seek ? s.words[8] : s.words[6], 1000);
            std::uint64_t largest = 0;
            for (const std::wstring& line : SavedFile(*thread)) {
                // Every cell of digits only, but the untouched minimum 4294967295.
                std::uint64_t value = 0;
                bool digits = true;
                for (std::size_t i = 0; i <= line.size(); ++i) {
                    const wchar_t c = i < line.size() ? line[i] : L',';
                    if (c == L',') {
                        if (digits && value != 0xFFFFFFFFu) largest = std::max(largest, value);
                        value = 0;
                        digits = true;
                    } else if (c >= L'0' && c <= L'9' && digits) {
                        value = value * 10 + static_cast<std::uint64_t>(c - L'0');
                    } else {
                        digits = false;
                    }
                }
            }
            EXPECT_LE(largest, best);
        }
    }
}

TEST(FailureKindsTest, WritesToAWriteProtectedDiskFailAtTheFirstCommand) {
    // A read-only medium answers DATA PROTECT to every write, in either command size: the run
    // ends at once, with no rate at all (not thousands of MB/s of nothing written).
    for (std::uint64_t blocks : {std::uint64_t{10007}, (std::uint64_t{1} << 33) + 10007}) {
        for (const bool random : {false, true}) {
            EngineFixture disk(blocks, 512, 16u << 20, [](DeviceConfig& c) { c.readOnly = true; });
            std::unique_ptr<TestThread> thread;
            if (random) {
                thread = std::make_unique<RandomWriteTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0, 1,
                                                                 16, 99, 100, 801);
            } else {
                thread = std::make_unique<SequentialWriteTestThread>(disk.Window(), disk.GetDevice(), disk.TpsLow(), 0,
                                                                     1, 16, 99, 100, 201);
            }
            EXPECT_EQ(disk.RunDirect(*thread), 0xFFFFFFFFu);
            const std::vector<PostedMessage> messages = disk.Messages();
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0].wParam, kCommandFailed);
            ASSERT_EQ(disk.Measured().size(), 1u);
            EXPECT_EQ(disk.Measured()[0].opcode, blocks > 0xFFFFFFFFu ? 0x8A : 0x2A);
            TestSnapshot s = {};
            thread->GetSnapshot(&s);
            EXPECT_EQ(s.words[6], 0u);
            EXPECT_EQ(s.words[7], 0u);
            EXPECT_EQ(s.words[4], 1u);
            EXPECT_FALSE(disk.Emulated().IsBlockWritten(disk.Measured()[0].lba));
        }
    }
}

}  // namespace
}  // namespace sektra
