#pragma once
// The console runner's command line:
//   list [--json]
//   info TARGET [--json]
//   run TEST TARGET [--size KB] [--range START-END] [--csv FILE] [--json FILE|-] [--confirm WORD]
//       [--aligned] [--random-data]
//   help
// Options come after the command's operands, as "--name value" or "--name=value", each once.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/TransferChoices.h"

namespace sektra {

enum class CliCommand { Help, List, Info, Run };

enum class CliTest { SeqRead, SeqWrite, RndRead, RndWrite, Seek, CacheHit, ReadBuffer, WriteBuffer };

struct CliTestInfo {
    const char* name;       // as typed: "seqread"
    CliTest test;
    std::uint32_t testType; // the test's number in the device tree's item codes (3 to 10)
    bool writes;            // overwrites the device's blocks or buffer: needs the confirmation
    bool takesRange;        // --range applies
    bool takesSize;         // --size applies
};

// Null for a name that is no test.
const CliTestInfo* FindCliTest(const std::string& name);
// Every test, in the order the usage text lists them.
const std::vector<CliTestInfo>& CliTests();

constexpr std::uint32_t kDefaultSizeKB = 64;
// Larger sizes are refused before any device limit is asked (1 GiB per command).
constexpr std::uint32_t kMaxSizeKB = 1048576;

struct CliOptions {
    CliCommand command = CliCommand::Help;
    bool json = false;          // list, info: JSON on standard output
    std::string target;         // info, run
    const CliTestInfo* test = nullptr;  // run
    bool sizeGiven = false;
    std::uint32_t sizeKB = kDefaultSizeKB;
    bool rangeGiven = false;
    std::uint32_t startPercent = 0;
    std::uint32_t endPercent = 100;
    std::string csvPath;        // empty: no CSV file
    std::string jsonPath;       // empty: none; "-": standard output
    bool confirmGiven = false;
    std::string confirmWord;
    TransferChoices choices;    // --aligned (random tests), --random-data (seqwrite, rndwrite)
};

// False with a one-line reason when the command line is not one of the forms above (the
// runner then prints it with the usage and ends with status 2). `arguments` excludes the
// program's own name.
bool ParseCliArguments(const std::vector<std::string>& arguments, CliOptions* options, std::string* error);

// The usage text, several lines.
std::string CliUsage();

}  // namespace sektra
