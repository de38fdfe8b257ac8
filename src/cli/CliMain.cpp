#include "cli/CliMain.h"

#include "cli/CliArguments.h"
#include "cli/DeviceInfo.h"
#include "cli/Json.h"
#include "framework/File.h"

namespace sektra {
namespace {

int List(const CliOptions& options, CliEnvironment& environment) {
    JsonWriter json;
    std::string text;
    json.BeginArray();
    for (const std::string& name : ListTargets(environment.targets)) {
        Target target;
        std::string error;
        if (OpenTarget(name, environment.targets, &target, &error) != OpenStatus::Opened) continue;
        const DeviceInfo info = ReadDeviceInfo(*target.device);
        WriteDeviceInfoJson(json, name, info);
        text += DeviceInfoLine(name, info);
    }
    json.EndArray();
    *environment.out << (options.json ? json.Text() : text);
    return kExitFinished;
}

int Info(const CliOptions& options, CliEnvironment& environment) {
    Target target;
    std::string error;
    const OpenStatus status = OpenTarget(options.target, environment.targets, &target, &error);
    if (status != OpenStatus::Opened) {
        *environment.err << "sektra-cli: " << error << "\n";
        return status == OpenStatus::Malformed ? kExitUsage : kExitFailed;
    }
    const DeviceInfo info = ReadDeviceInfo(*target.device);
    if (options.json) {
        JsonWriter json;
        WriteDeviceInfoJson(json, options.target, info);
        *environment.out << json.Text();
    } else {
        *environment.out << DeviceInfoText(options.target, info);
    }
    // A device that answers neither INQUIRY nor READ CAPACITY was not really reached.
    return info.inquiryAnswered || info.hasCapacity ? kExitFinished : kExitFailed;
}

}  // namespace

bool WriteOutput(const std::string& path, const std::string& text, std::ostream& out) {
    if (path == "-") {
        out << text;
        out.flush();
        return static_cast<bool>(out);
    }
    File file;
    if (file.OpenWrite(WideFromUtf8(path).c_str(), kGenericWrite, 0, true) != 0) return false;
    const bool written = file.Write(text.data(), static_cast<std::uint32_t>(text.size())) == 0;
    return file.Close() == 0 && written;
}

int RunCli(const std::vector<std::string>& arguments, CliEnvironment& environment) {
    CliOptions options;
    std::string error;
    if (!ParseCliArguments(arguments, &options, &error)) {
        *environment.err << "sektra-cli: " << error << "\n" << CliUsage();
        return kExitUsage;
    }
    switch (options.command) {
    case CliCommand::Help: *environment.out << CliUsage(); return kExitFinished;
    case CliCommand::List: return List(options, environment);
    case CliCommand::Info: return Info(options, environment);
    case CliCommand::Run: return RunTestCommand(options, environment);
    }
    return kExitUsage;
}

}  // namespace sektra
