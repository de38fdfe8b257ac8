// The runner's command line from any bytes: the input split at NUL bytes into arguments, parsed,
// and whatever parses followed as far as is cheap: info on the demo set, the target of a run
// opened, and every argument through the UTF-8 conversions and the JSON writer.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/CliMain.h"
#include "cli/Json.h"
#include "emulator/DemoSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sektra;
    std::vector<std::string> arguments(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    if (size == 0) arguments.clear();

    JsonWriter json;
    json.BeginArray();
    for (const std::string& argument : arguments) {
        json.String(argument);
        const std::string again = Utf8FromWide(WideFromUtf8(argument));
        if (Utf8FromWide(WideFromUtf8(again)) != again) __builtin_trap();  // not a fixed point
    }
    json.EndArray();

    CliOptions options;
    std::string error;
    if (!ParseCliArguments(arguments, &options, &error)) {
        if (error.empty()) __builtin_trap();  // every refusal says why
        return 0;
    }
    static const std::unique_ptr<EmulatedPort> port = MakeDemoPort(TimeMode::Zero);
    if (options.command == CliCommand::Run) {
        if (options.test == nullptr || options.startPercent >= options.endPercent || options.endPercent > 100 ||
            options.sizeKB == 0) {
            __builtin_trap();
        }
        TargetContext context;
        context.demoPort = port.get();
        Target target;
        OpenTarget(options.target, context, &target, &error);
        return 0;
    }
    std::ostringstream out, err;
    CliEnvironment environment;
    environment.out = &out;
    environment.err = &err;
    environment.targets.demoPort = port.get();
    RunCli(arguments, environment);
    return 0;
}
