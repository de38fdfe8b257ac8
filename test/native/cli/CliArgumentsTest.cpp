// The runner's command line: what each form yields, and every malformed line refused with a
// reason (the runner then ends with status 2).
#include <gtest/gtest.h>

#include <sstream>

#include "cli/CliArguments.h"
#include "cli/CliMain.h"

namespace sektra::test {
namespace {

std::vector<std::string> Split(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

TEST(CliArguments, GoodLines) {
    CliOptions o;
    std::string error;
    ASSERT_TRUE(ParseCliArguments(Split("list"), &o, &error)) << error;
    EXPECT_EQ(o.command, CliCommand::List);
    EXPECT_FALSE(o.json);

    ASSERT_TRUE(ParseCliArguments(Split("info demo:3 --json"), &o, &error)) << error;
    EXPECT_EQ(o.command, CliCommand::Info);
    EXPECT_EQ(o.target, "demo:3");
    EXPECT_TRUE(o.json);

    ASSERT_TRUE(ParseCliArguments(Split("run seqread demo:0"), &o, &error)) << error;
    EXPECT_EQ(o.test->test, CliTest::SeqRead);
    EXPECT_EQ(o.sizeKB, 64u);
    EXPECT_EQ(o.startPercent, 0u);
    EXPECT_EQ(o.endPercent, 100u);
    EXPECT_TRUE(o.csvPath.empty());
    EXPECT_TRUE(o.jsonPath.empty());
    EXPECT_FALSE(o.confirmGiven);

    ASSERT_TRUE(ParseCliArguments(
        Split("run rndwrite demo:1 --size 4 --range=45-55 --csv out.csv --json - --confirm WRITE"), &o, &error))
        << error;
    EXPECT_EQ(o.test->test, CliTest::RndWrite);
    EXPECT_TRUE(o.test->writes);
    EXPECT_EQ(o.sizeKB, 4u);
    EXPECT_EQ(o.startPercent, 45u);
    EXPECT_EQ(o.endPercent, 55u);
    EXPECT_EQ(o.csvPath, "out.csv");
    EXPECT_EQ(o.jsonPath, "-");
    EXPECT_EQ(o.confirmWord, "WRITE");

    // The word is taken as typed; only the run judges it.
    ASSERT_TRUE(ParseCliArguments({"run", "writebuffer", "demo:1", "--confirm", ""}, &o, &error)) << error;
    EXPECT_TRUE(o.confirmGiven);
    EXPECT_EQ(o.confirmWord, "");

    EXPECT_FALSE(o.choices.alignedPositions);
    EXPECT_FALSE(o.choices.randomWriteData);
    ASSERT_TRUE(ParseCliArguments(Split("run rndwrite demo:1 --aligned --confirm WRITE --random-data"), &o, &error))
        << error;
    EXPECT_TRUE(o.choices.alignedPositions);
    EXPECT_TRUE(o.choices.randomWriteData);
    ASSERT_TRUE(ParseCliArguments(Split("run rndread demo:1 --aligned"), &o, &error)) << error;
    EXPECT_FALSE(o.choices.randomWriteData);
    ASSERT_TRUE(ParseCliArguments(Split("run seqwrite demo:1 --random-data"), &o, &error)) << error;
    EXPECT_FALSE(o.choices.alignedPositions);

    ASSERT_TRUE(ParseCliArguments(Split("run seek demo:0 --range 0-1"), &o, &error)) << error;
    ASSERT_TRUE(ParseCliArguments(Split("run cachehit demo:0 --size 1048576"), &o, &error)) << error;
    ASSERT_TRUE(ParseCliArguments(Split("--help"), &o, &error)) << error;
    EXPECT_EQ(o.command, CliCommand::Help);
}

TEST(CliArguments, EveryTestByName) {
    const char* names[] = {"seqread", "seqwrite", "rndread",    "rndwrite",
                           "seek",    "cachehit", "readbuffer", "writebuffer"};
    const bool writes[] = {false, true, false, true, false, false, false, true};
    for (int i = 0; i < 8; ++i) {
        const CliTestInfo* test = FindCliTest(names[i]);
        ASSERT_NE(test, nullptr) << names[i];
        EXPECT_EQ(test->writes, writes[i]) << names[i];
    }
    EXPECT_EQ(FindCliTest("SEQREAD"), nullptr);
}

TEST(CliArguments, BadLinesAreUsageErrors) {
    const char* lines[] = {
        "",
        "frobnicate",
        "list demo:0",
        "list --json --json",
        "list --json=yes",
        "info",
        "info --json",
        "info demo:0 demo:1",
        "info demo:0 --csv x",
        "run",
        "run seqread",
        "run seqread --size 64",
        "run sequentialread demo:0",
        "run seqread demo:0 extra",
        "run seqread demo:0 --size",
        "run seqread demo:0 --size 0",
        "run seqread demo:0 --size -4",
        "run seqread demo:0 --size 4k",
        "run seqread demo:0 --size 1048577",
        "run seqread demo:0 --size 99999999999999999999",
        "run seqread demo:0 --size 64 --size 64",
        "run seqread demo:0 --range 50",
        "run seqread demo:0 --range 50-50",
        "run seqread demo:0 --range 60-40",
        "run seqread demo:0 --range 0-101",
        "run seqread demo:0 --range -10-20",
        "run seqread demo:0 --range 0-100-",
        "run seqread demo:0 --range=",
        "run seqread demo:0 --csv",
        "run seqread demo:0 --json",
        "run seqread demo:0 --json=",
        "run seqread demo:0 --jsn -",
        "run seqread demo:0 --confirm",
        "run seqwrite demo:0 --confirm WRITE --confirm WRITE",
        "run seek demo:0 --size 64",
        "run cachehit demo:0 --range 0-10",
        "run readbuffer demo:1 --range 90-100",
        // Aligned positions belong to the random tests, random data to the writing transfer tests.
        "run seqread demo:0 --aligned",
        "run seek demo:0 --aligned",
        "run rndread demo:0 --random-data",
        "run writebuffer demo:1 --random-data",
        "run rndread demo:0 --aligned --aligned",
        "run rndread demo:0 --aligned=yes",
        "run rndwrite demo:0 --random-data=1",
        "help me",
    };
    for (const char* line : lines) {
        CliOptions o;
        std::string error;
        EXPECT_FALSE(ParseCliArguments(Split(line), &o, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;

        std::ostringstream out, err;
        CliEnvironment environment;
        environment.out = &out;
        environment.err = &err;
        EXPECT_EQ(RunCli(Split(line), environment), kExitUsage) << line;
        EXPECT_NE(err.str().find("usage:"), std::string::npos) << line;
        EXPECT_TRUE(out.str().empty()) << line;
    }
}

}  // namespace
}  // namespace sektra::test
