#include "cli/CliArguments.h"

#include <initializer_list>

namespace sektra {
namespace {

// Decimal digits only, no sign or blanks, at most `maximum`.
bool ParseNumber(const std::string& text, std::uint32_t maximum, std::uint32_t* value) {
    if (text.empty() || text.size() > 10) return false;
    std::uint64_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (number > maximum) return false;
    *value = static_cast<std::uint32_t>(number);
    return true;
}

bool ParseRange(const std::string& text, CliOptions* options, std::string* error) {
    const std::size_t dash = text.find('-');
    std::uint32_t start = 0, end = 0;
    if (dash == std::string::npos || !ParseNumber(text.substr(0, dash), 100, &start) ||
        !ParseNumber(text.substr(dash + 1), 100, &end)) {
        *error = "--range takes START-END in percent of the device, for example 90-100";
        return false;
    }
    if (start >= end) {
        *error = "--range " + text + ": the start must be below the end";
        return false;
    }
    options->startPercent = start;
    options->endPercent = end;
    return true;
}

// Splits "--name=value" and "--name value"; `next` is the index of the following argument.
struct Option {
    std::string name;
    std::string value;
    bool hasValue = false;
};

bool TakeOption(const std::vector<std::string>& arguments, std::size_t* next, bool wantsValue, Option* option,
                std::string* error) {
    const std::string& text = arguments[*next];
    ++*next;
    const std::size_t equals = text.find('=');
    option->name = text.substr(0, equals);
    if (equals != std::string::npos) {
        if (!wantsValue) {
            *error = option->name + " takes no value";
            return false;
        }
        option->value = text.substr(equals + 1);
        option->hasValue = true;
        return true;
    }
    if (!wantsValue) return true;
    if (*next >= arguments.size()) {
        *error = option->name + " needs a value";
        return false;
    }
    option->value = arguments[*next];
    option->hasValue = true;
    ++*next;
    return true;
}

bool IsValueOption(const std::string& name) {
    return name == "--size" || name == "--range" || name == "--csv" || name == "--confirm";
}

bool IsTest(const CliTestInfo& info, std::initializer_list<CliTest> tests) {
    for (CliTest test : tests) {
        if (info.test == test) return true;
    }
    return false;
}

// --aligned (random tests) and --random-data (writing transfer tests): flags.
bool TakeChoice(const std::string& name, const CliTestInfo& test, CliOptions* options, std::string* error) {
    const bool aligned = name == "--aligned";
    const bool applies = aligned ? IsTest(test, {CliTest::RndRead, CliTest::RndWrite})
                                 : IsTest(test, {CliTest::SeqWrite, CliTest::RndWrite});
    if (!applies) {
        *error = name + " does not apply to " + test.name;
        return false;
    }
    bool& flag = aligned ? options->choices.alignedPositions : options->choices.randomWriteData;
    if (flag) {
        *error = name + " is given twice";
        return false;
    }
    flag = true;
    return true;
}

bool ParseRunOptions(const std::vector<std::string>& arguments, std::size_t next, CliOptions* options,
                     std::string* error) {
    bool jsonGiven = false;
    while (next < arguments.size()) {
        const std::string& text = arguments[next];
        const std::string name = text.substr(0, text.find('='));
        const bool choice = name == "--aligned" || name == "--random-data";
        if (!IsValueOption(name) && name != "--json" && !choice) {
            *error = "unknown option or extra argument: " + text;
            return false;
        }
        Option option;
        if (!TakeOption(arguments, &next, !choice, &option, error)) return false;
        if (choice) {
            if (!TakeChoice(name, *options->test, options, error)) return false;
            continue;
        }
        bool repeated = false;
        if (name == "--size") {
            repeated = options->sizeGiven;
            options->sizeGiven = true;
            if (!options->test->takesSize) {
                *error = std::string("--size does not apply to ") + options->test->name;
                return false;
            }
            if (!ParseNumber(option.value, kMaxSizeKB, &options->sizeKB) || options->sizeKB == 0) {
                *error = "--size takes kilobytes per command, 1 to " + std::to_string(kMaxSizeKB);
                return false;
            }
        } else if (name == "--range") {
            repeated = options->rangeGiven;
            options->rangeGiven = true;
            if (!options->test->takesRange) {
                *error = std::string("--range does not apply to ") + options->test->name;
                return false;
            }
            if (!ParseRange(option.value, options, error)) return false;
        } else if (name == "--csv") {
            repeated = !options->csvPath.empty();
            options->csvPath = option.value;
            if (option.value.empty()) {
                *error = "--csv needs a file name";
                return false;
            }
        } else if (name == "--json") {
            repeated = jsonGiven;
            jsonGiven = true;
            options->jsonPath = option.value;
            if (option.value.empty()) {
                *error = "--json needs a file name, or - for standard output";
                return false;
            }
        } else {
            repeated = options->confirmGiven;
            options->confirmGiven = true;
            options->confirmWord = option.value;
        }
        if (repeated) {
            *error = name + " is given twice";
            return false;
        }
    }
    return true;
}

// list and info take only --json, as a flag.
bool ParseFlagOptions(const std::vector<std::string>& arguments, std::size_t next, CliOptions* options,
                      std::string* error) {
    while (next < arguments.size()) {
        const std::string& text = arguments[next];
        if (text.substr(0, text.find('=')) != "--json") {
            *error = "unknown option or extra argument: " + text;
            return false;
        }
        Option option;
        if (!TakeOption(arguments, &next, false, &option, error)) return false;
        if (options->json) {
            *error = "--json is given twice";
            return false;
        }
        options->json = true;
    }
    return true;
}

bool IsOption(const std::string& text) { return text.size() >= 2 && text[0] == '-' && text[1] == '-'; }

}  // namespace

const std::vector<CliTestInfo>& CliTests() {
    static const std::vector<CliTestInfo> tests = {
        {"seqread", CliTest::SeqRead, 5, false, true, true},
        {"seqwrite", CliTest::SeqWrite, 6, true, true, true},
        {"rndread", CliTest::RndRead, 7, false, true, true},
        {"rndwrite", CliTest::RndWrite, 8, true, true, true},
        {"seek", CliTest::Seek, 4, false, true, false},
        {"cachehit", CliTest::CacheHit, 3, false, false, true},
        {"readbuffer", CliTest::ReadBuffer, 9, false, false, true},
        {"writebuffer", CliTest::WriteBuffer, 10, true, false, true},
    };
    return tests;
}

const CliTestInfo* FindCliTest(const std::string& name) {
    for (const CliTestInfo& test : CliTests()) {
        if (name == test.name) return &test;
    }
    return nullptr;
}

bool ParseCliArguments(const std::vector<std::string>& arguments, CliOptions* options, std::string* error) {
    *options = CliOptions();
    if (arguments.empty()) {
        *error = "no command given";
        return false;
    }
    const std::string& command = arguments[0];
    if (command == "help" || command == "--help" || command == "-h") {
        if (arguments.size() > 1) {
            *error = "help takes no arguments";
            return false;
        }
        options->command = CliCommand::Help;
        return true;
    }
    if (command == "list") {
        options->command = CliCommand::List;
        return ParseFlagOptions(arguments, 1, options, error);
    }
    if (command == "info") {
        options->command = CliCommand::Info;
        if (arguments.size() < 2 || IsOption(arguments[1])) {
            *error = "info needs a target, for example demo:0";
            return false;
        }
        options->target = arguments[1];
        return ParseFlagOptions(arguments, 2, options, error);
    }
    if (command == "run") {
        options->command = CliCommand::Run;
        if (arguments.size() < 3 || IsOption(arguments[1]) || IsOption(arguments[2])) {
            *error = "run needs a test and a target, for example: run seqread demo:0";
            return false;
        }
        options->test = FindCliTest(arguments[1]);
        if (options->test == nullptr) {
            *error = "unknown test: " + arguments[1];
            return false;
        }
        options->target = arguments[2];
        return ParseRunOptions(arguments, 3, options, error);
    }
    *error = "unknown command: " + command;
    return false;
}

std::string CliUsage() {
    std::string tests;
    for (const CliTestInfo& test : CliTests()) tests += std::string(" ") + test.name;
    return "usage:\n"
           "  list [--json]                 the devices this program can reach\n"
           "  info TARGET [--json]          identification and capacity\n"
           "  run TEST TARGET [--size KB] [--range START-END] [--csv FILE] [--json FILE|-]\n"
           "                  [--confirm WORD] [--aligned] [--random-data]\n"
           "tests:" + tests + "\n"
           "targets: demo:N (the emulated demo devices), file:PATH (a file read unbuffered, read-only)"
#if defined(_WIN32)
           ", \\\\.\\PhysicalDriveN, \\\\.\\CdRomN"
#endif
#if defined(SEKTRA_HAVE_ISCSI)
           ", iscsi://HOST[:PORT]/TARGET-IQN/LUN"
#endif
           "\n"
           "--size: kilobytes per command (default 64); --range: percent of the device (default 0-100)\n"
           "--aligned: random tests place commands at multiples of their size (default: any block)\n"
           "--random-data: seqwrite and rndwrite write random bytes, made before the timing (default: zeros)\n"
           "Writing tests (seqwrite, rndwrite, writebuffer) destroy data and run only with --confirm and\n"
           "the confirmation word.\n"
           "exit status: 0 finished, 1 the test or a command failed, 2 usage, 3 refused\n";
}

}  // namespace sektra
