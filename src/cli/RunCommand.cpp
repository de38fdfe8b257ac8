// run TEST TARGET: the checks the test window and its dialogs make before a test starts, then
// the run itself (EngineRun.cpp), the progress line and the reports.
#include <cstdio>
#include <cstring>
#include <utility>

#include "cli/CliMain.h"
#include "cli/Console.h"
#include "cli/DeviceInfo.h"
#include "cli/EngineRun.h"
#include "cli/Json.h"
#include "device/Device.h"
#include "device/WriteSafety.h"
#include "engine/SeekMethod.h"
#include "framework/CodePage.h"
#include "language/ResourceIds.h"
#include "testwindows/BuiltInTexts.h"
#include "testwindows/OptionChecks.h"
#include "testwindows/TestTitles.h"

namespace sektra {
namespace {

constexpr std::uint8_t kCdRomType = 5;
constexpr std::uint8_t kMediumChangerType = 8;

// A refusal, a usage error or a failure before the engine runs: status and message.
struct Halt {
    int status = kExitFinished;
    std::string message;
};

Halt Refuse(std::string message) { return {kExitRefused, std::move(message)}; }
Halt Usage(std::string message) { return {kExitUsage, std::move(message)}; }
Halt Fail(std::string message) { return {kExitFailed, std::move(message)}; }

// Nothing is sent to the device before this passes: a writing test needs the same word the
// test window asks for, typed exactly.
Halt CheckConfirmation(const CliOptions& options) {
    if (!options.test->writes) return {};
    const std::string word = Utf8FromWide(ConfirmationWord());
    if (!options.confirmGiven) {
        return Refuse(std::string(options.test->name) + " overwrites " +
                      (options.test->test == CliTest::WriteBuffer ? "the drive's buffer memory on "
                                                                  : "the blocks of ") +
                      options.target + "; the data there is lost. Nothing was sent. To run it, add --confirm " +
                      word);
    }
    if (!ConfirmationMatches(WideFromUtf8(options.confirmWord), ConfirmationWord())) {
        return Refuse("--confirm " + options.confirmWord + " is not the confirmation word (type " + word +
                      " exactly: same case, no blanks). Nothing was sent.");
    }
    return {};
}

// Tests run on disks and CD-ROM drives; the writing tests not on a CD-ROM drive. Refusals of
// a writing test that depend on the device belong here too.
Halt CheckDeviceKind(const CliOptions& options, const Target& target, const DeviceInfo& info) {
    const bool changer =
        target.interfaceClass == 6 || (info.inquiryAnswered && info.peripheralType == kMediumChangerType);
    if (changer) return Refuse(options.target + " is a medium changer; tests run on disks and CD-ROM drives");
    const bool cdRom = target.interfaceClass == 1 || (info.inquiryAnswered && info.peripheralType == kCdRomType);
    if (cdRom && options.test->writes) {
        return Refuse(options.target + " is a CD-ROM drive; " + options.test->name + " is not run on CD-ROM drives");
    }
    return {};
}

// The write tests overwrite blocks: never on a disk that holds data (the buffer test writes none).
Halt CheckDiskContents(const CliOptions& options, Device& device) {
    if (options.test->test != CliTest::SeqWrite && options.test->test != CliTest::RndWrite) return {};
    const WriteSafetyVerdict verdict = CheckDiskBeforeWriting(device);
    if (verdict.Allowed()) return {};
    std::string found = DescribeWriteVerdict(verdict);
    if (verdict.count > 0) found += " (" + std::to_string(verdict.count) + ")";
    std::string advice;
    if (verdict.refusal != WriteRefusal::SystemDisk) {
        advice = "; to test it, save what you need, delete every volume and partition (Disk Management, or diskpart "
                 "clean) and run again";
    }
    return Refuse(std::string(options.test->name) + " is not run on " + options.target + ": " + found + advice);
}

// Whole blocks per command within what the device moves in one command (the option dialog's
// limit); the buffer tests' size within the drive's buffer.
Halt CheckSize(const CliOptions& options, Device& device, const DeviceInfo& info, std::uint32_t* size) {
    const std::string sizeText = "--size " + std::to_string(options.sizeKB) + " KB";
    if (options.test->test == CliTest::ReadBuffer || options.test->test == CliTest::WriteBuffer) {
        const std::int32_t limit = device.GetMaxReadBufferBytes() / 1024;
        if (limit <= 0) return Fail(options.target + " reports no buffer that READ BUFFER can reach");
        const auto kilobytes = static_cast<std::int32_t>(options.sizeKB);
        if (CheckCacheOptions(kilobytes, static_cast<std::uint32_t>(limit), true) != 0) {
            return Usage(sizeText + " exceeds the drive buffer of " + options.target + " (" + std::to_string(limit) +
                         " KB)");
        }
        *size = options.sizeKB;
        return {};
    }
    const std::uint64_t bytes = std::uint64_t{options.sizeKB} * 1024;
    if (bytes % info.blockLength != 0) {
        return Usage(sizeText + " is no whole number of the " + std::to_string(info.blockLength) + "-byte blocks of " +
                     options.target);
    }
    const std::uint64_t blocks = bytes / info.blockLength;
    const std::int32_t maxBlocks = device.GetMaxReadSectors();
    if (maxBlocks <= 0 || blocks > static_cast<std::uint64_t>(maxBlocks)) {
        return Usage(sizeText + " is " + std::to_string(blocks) + " blocks; " + options.target + " takes at most " +
                     std::to_string(maxBlocks > 0 ? maxBlocks : 0) + " blocks in one command");
    }
    *size = static_cast<std::uint32_t>(blocks);
    return {};
}

// The blocks of the range as the test threads compute them: start ÷ 100 to end ÷ 100 of the
// capacity, the end exclusive.
Halt CheckRange(const CliOptions& options, const DeviceInfo& info, std::uint32_t blocksPerCommand,
                EngineRunPlan* plan) {
    plan->startPercent = options.startPercent;
    plan->endPercent = options.endPercent;
    if (!options.test->takesRange) return {};
    const std::uint64_t first = options.startPercent * info.blocks / 100;
    const std::uint64_t end = options.endPercent * info.blocks / 100;
    const bool random = options.test->test == CliTest::RndRead || options.test->test == CliTest::RndWrite;
    const std::uint64_t needed = random && blocksPerCommand > 2 ? blocksPerCommand : 2;
    if (end < first + needed) {
        return Usage("--range " + std::to_string(options.startPercent) + "-" + std::to_string(options.endPercent) +
                     " of " + options.target + " holds " + std::to_string(end - first) + " blocks; " +
                     options.test->name + " needs at least " + std::to_string(needed));
    }
    plan->firstBlock = first;
    plan->lastBlock = end - 1;
    return {};
}

// The title the test's window shows, with the same range labels.
std::wstring Title(const CliOptions& options, Device& device, std::uint32_t size, std::uint32_t blockLength) {
    const std::uint32_t testType = options.test->testType;
    switch (options.test->test) {
    case CliTest::Seek:
        return SeekTitle(BuiltInText(options.rangeGiven && (options.startPercent != 0 || options.endPercent != 100)
                                         ? IDS_OTHER_SIZE
                                         : IDS_SEEK_STANDARD),
                         ChooseSeekMethod(device) == SeekMethod::Access);
    case CliTest::CacheHit: return CacheTitle(testType, static_cast<std::uint32_t>(size * blockLength) / 1024.0);
    case CliTest::ReadBuffer:
    case CliTest::WriteBuffer: return CacheTitle(testType, size);
    default: break;
    }
    TransferRange range{IDS_OTHER_SIZE, options.startPercent, options.endPercent};
    for (std::uint32_t index = 0; index < 4; ++index) {
        TransferRange preset{};
        if (PresetRange(index, 0, 0, preset) && preset.startPercent == options.startPercent &&
            preset.endPercent == options.endPercent) {
            range = preset;
        }
    }
    return TransferTitle(testType, static_cast<std::uint32_t>(size * blockLength) / 1024.0, BuiltInText(range.labelId));
}

std::wstring OemText(const char* text) { return MultiByteToWide(CodePage::Oem, text, std::strlen(text)); }

// Draws "  42.0 %  1234 commands  average 56789 KB/s  0:12" over itself on a terminal.
class ProgressLine : public EngineRunObserver {
public:
    ProgressLine(CliEnvironment& environment, bool seek) : environment_(environment), seek_(seek) {}

    bool StopRequested() override {
        if (!environment_.stopRequested || !environment_.stopRequested()) return false;
        if (!announced_ && environment_.progressLine) {
            *environment_.err << "\nstopping after the command in flight (Ctrl+C again ends at once)\n";
        }
        announced_ = true;
        return true;
    }

    void Progress(const EngineProgress& p) override {
        if (!environment_.progressLine) return;
        char figures[96];
        const double percent = 100.0 * p.progress / (p.fullProgress ? p.fullProgress : 1);
        std::snprintf(figures, sizeof(figures), "%6.1f %%  ", percent);
        const std::string line = "\r" + std::string(figures) + std::to_string(p.commands) + " commands  average " +
                                 std::to_string(p.average) + (seek_ ? " us  " : " KB/s  ") +
                                 std::to_string(p.elapsedSeconds / 60) + ":" + (p.elapsedSeconds % 60 < 10 ? "0" : "") +
                                 std::to_string(p.elapsedSeconds % 60) + "   ";
        *environment_.err << line << std::flush;
        drawn_ = true;
    }

    void End() {
        if (drawn_) *environment_.err << "\n";
    }

private:
    CliEnvironment& environment_;
    const bool seek_;
    bool drawn_ = false;
    bool announced_ = false;
};

const char* EndName(RunEnd end) {
    switch (end) {
    case RunEnd::Finished: return "finished";
    case RunEnd::Stopped: return "stopped";
    default: return "failed";
    }
}

// Commands per second of measured and of wall time, and the command times in nanoseconds.
void WriteLatencyJson(JsonWriter& json, const LatencyFigures& latency) {
    json.Key("iops");
    json.UInt(latency.iops);
    json.Key("wallIops");
    json.UInt(latency.wallIops);
    json.Key("latencyNs");
    json.BeginObject();
    const std::pair<const char*, std::uint64_t> times[] = {
        {"min", latency.minimumNs}, {"mean", latency.meanNs},     {"p50", latency.p50Ns},
        {"p90", latency.p90Ns},     {"p99", latency.p99Ns},       {"p99.9", latency.p999Ns},
        {"p99.99", latency.p9999Ns}, {"max", latency.maximumNs}};
    for (const auto& [key, ns] : times) {
        json.Key(key);
        json.UInt(ns);
    }
    json.EndObject();
}

std::string ReportJson(const CliOptions& options, const EngineRunPlan& plan, const EngineRunResult& result) {
    const bool seek = options.test->test == CliTest::Seek;
    JsonWriter json;
    json.BeginObject();
    json.Key("test");
    json.String(std::string(options.test->name));
    json.Key("target");
    json.String(options.target);
    json.Key("title");
    json.String(TitleUpToParenthesis(plan.title));
    json.Key("blockLength");
    json.UInt(plan.blockLength);
    if (options.test->takesSize) {
        const bool kilobytes = options.test->test == CliTest::ReadBuffer || options.test->test == CliTest::WriteBuffer;
        json.Key(kilobytes ? "kilobytesPerCommand" : "blocksPerCommand");
        json.UInt(plan.size);
    }
    for (const char* key : {"firstBlock", "lastBlock"}) {
        json.Key(key);
        if (!result.hasBlocks) {
            json.Null();
        } else {
            json.UInt(key[0] == 'f' ? result.firstBlock : result.lastBlock);
        }
    }
    json.Key("commands");
    json.UInt(result.commands);
    // The seek test measures times, not rates: its figures have keys of their own.
    const char* const rateKeys[] = {"bestKBps", "averageKBps", "worstKBps"};
    const char* const timeKeys[] = {"shortestMicroseconds", "averageMicroseconds", "longestMicroseconds"};
    const std::uint32_t figures[] = {result.best, result.average, result.worst};
    for (int i = 0; i < 3; ++i) {
        json.Key(rateKeys[i]);
        if (seek) {
            json.Null();
        } else {
            json.UInt(figures[i]);
        }
    }
    if (seek) {
        for (int i = 0; i < 3; ++i) {
            json.Key(timeKeys[i]);
            json.UInt(figures[i]);
        }
    }
    WriteLatencyJson(json, result.latency);
    json.Key("aligned");
    json.Bool(options.choices.alignedPositions);
    json.Key("randomData");
    json.Bool(options.choices.randomWriteData);
    json.Key("elapsedSeconds");
    json.UInt(result.elapsedSeconds);
    json.Key("progress");
    json.UInt(result.progress.progress);
    json.Key("fullProgress");
    json.UInt(result.progress.fullProgress);
    json.Key("result");
    json.String(std::string(EndName(result.end)));
    if (result.end != RunEnd::Finished) {
        json.Key("error");
        json.String(result.end == RunEnd::Stopped ? std::string("stopped before its end (Ctrl+C)") : result.error);
    }
    json.Key("csv");
    if (result.csvWritten) {
        json.String(options.csvPath);
    } else {
        json.Null();
    }
    json.EndObject();
    return json.Text();
}

std::string ReportText(const CliOptions& options, const EngineRunPlan& plan, const EngineRunResult& result) {
    const bool seek = options.test->test == CliTest::Seek;
    const char* unit = seek ? " us" : " KB/s";
    std::string text = Utf8FromWide(TitleUpToParenthesis(plan.title)) + " on " + options.target + "\n";
    if (result.hasBlocks) {
        text += "blocks:   " + std::to_string(result.firstBlock) + " - " + std::to_string(result.lastBlock) + "\n";
    }
    text += "commands: " + std::to_string(result.commands) + "\n";
    text += std::string(seek ? "shortest: " : "best:     ") + std::to_string(result.best) + unit + "\n";
    text += "average:  " + std::to_string(result.average) + unit + "\n";
    text += std::string(seek ? "longest:  " : "worst:    ") + std::to_string(result.worst) + unit + "\n";
    text += "iops:     " + std::to_string(result.latency.iops) + " (wall " + std::to_string(result.latency.wallIops) +
            ")\n";
    text += "latency:  p50 " + std::to_string(result.latency.p50Ns / 1000) + " us, p99 " +
            std::to_string(result.latency.p99Ns / 1000) + " us, max " + std::to_string(result.latency.maximumNs / 1000) +
            " us\n";
    text += "elapsed:  " + std::to_string(result.elapsedSeconds) + " s\n";
    text += std::string("result:   ") + EndName(result.end) + "\n";
    if (result.csvWritten) text += "csv:      " + options.csvPath + "\n";
    return text;
}

// Everything before the engine; fills the plan.
Halt Prepare(const CliOptions& options, CliEnvironment& environment, Target* target, EngineRunPlan* plan) {
    Halt halt = CheckConfirmation(options);
    if (halt.status != kExitFinished) return halt;
    std::string error;
    const OpenStatus status = OpenTarget(options.target, environment.targets, target, &error);
    if (status != OpenStatus::Opened) return {status == OpenStatus::Malformed ? kExitUsage : kExitFailed, error};
    const DeviceInfo info = ReadDeviceInfo(*target->device);
    halt = CheckDeviceKind(options, *target, info);
    if (halt.status != kExitFinished) return halt;
    halt = CheckDiskContents(options, *target->device);
    if (halt.status != kExitFinished) return halt;
    const bool buffer = options.test->test == CliTest::ReadBuffer || options.test->test == CliTest::WriteBuffer;
    if (!info.hasCapacity && !buffer) return Fail(options.target + " reports no capacity (READ CAPACITY failed)");
    plan->test = options.test;
    plan->blockLength = info.blockLength;
    if (options.test->takesSize) {
        halt = CheckSize(options, *target->device, info, &plan->size);
        if (halt.status != kExitFinished) return halt;
    }
    halt = CheckRange(options, info, plan->size, plan);
    if (halt.status != kExitFinished) return halt;
    plan->title = Title(options, *target->device, plan->size, info.blockLength);
    plan->choices = options.choices;
    plan->csvPath = WideFromUtf8(options.csvPath);
    plan->model = OemText(target->device->GetModelName());
    plan->revision = OemText(target->device->GetRevision());
    // The device tree's write protection stands for a user's consent; the word given above is it.
    if (options.test->writes) target->device->SetWriteProtected(false);
    return {};
}

}  // namespace

int RunTestCommand(const CliOptions& options, CliEnvironment& environment) {
    Target target;
    EngineRunPlan plan;
    const Halt halt = Prepare(options, environment, &target, &plan);
    if (halt.status != kExitFinished) {
        *environment.err << "sektra-cli: " << halt.message << "\n";
        // A test that could not run failed, and its report says so; a refused or mistyped
        // command has no report.
        if (halt.status == kExitFailed && !options.jsonPath.empty()) {
            EngineRunResult failed;
            failed.error = halt.message;
            WriteOutput(options.jsonPath, ReportJson(options, plan, failed), *environment.out);
        }
        return halt.status;
    }
    ProgressLine observer(environment, options.test->test == CliTest::Seek);
    if (environment.handleCtrlC) InstallStopHandler();
    const EngineRunResult result = RunOnEngine(*target.device, plan, *environment.services, observer);
    if (environment.handleCtrlC) RemoveStopHandler();
    observer.End();

    int status = result.end == RunEnd::Finished ? kExitFinished : kExitFailed;
    if (result.end == RunEnd::Failed) *environment.err << "sektra-cli: " << result.error << "\n";
    if (result.end == RunEnd::Stopped) *environment.err << "sektra-cli: stopped before the end of the test\n";
    if (!options.csvPath.empty() && !result.csvWritten) {
        *environment.err << "sektra-cli: no CSV file written: "
                         << (result.csvError.empty() ? "the test did not run to its end" : result.csvError) << "\n";
        status = kExitFailed;
    }
    const std::string report = ReportJson(options, plan, result);
    if (!options.jsonPath.empty() && !WriteOutput(options.jsonPath, report, *environment.out)) {
        *environment.err << "sektra-cli: cannot write " << options.jsonPath << "\n";
        status = kExitFailed;
    }
    if (options.jsonPath != "-") *environment.out << ReportText(options, plan, result);
    return status;
}

}  // namespace sektra
