// The program itself: its exit statuses, and Ctrl+C during a run on the demo disk, whose
// commands take their modelled time on the real clock.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "JsonReader.h"

namespace sektra::test {
namespace {

// Starts the runner with `arguments`, its output into files; the child's pid.
pid_t Start(const std::vector<std::string>& arguments, const std::string& outPath) {
    // Otherwise the child writes out what this process still holds in its buffers.
    std::fflush(stdout);
    std::fflush(stderr);
    const pid_t pid = fork();
    if (pid == 0) {
        std::freopen(outPath.c_str(), "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(SEKTRA_CLI_PROGRAM));
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(SEKTRA_CLI_PROGRAM, argv.data());
        _exit(127);
    }
    return pid;
}

// The exit status, or -1 when it did not end within `limit` (it is then killed).
int Finish(pid_t pid, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(CliProcess, ExitStatuses) {
    const std::string out = ::testing::TempDir() + "cli-process-out.txt";
    struct Case {
        std::vector<std::string> arguments;
        int status;
    };
    const Case cases[] = {
        {{"info", "demo:0", "--json"}, 0},
        {{"run", "cachehit", "demo:1"}, 0},
        {{"run", "readbuffer", "demo:0"}, 1},
        {{"info", "demo:42"}, 1},
        {{}, 2},
        {{"run", "seqread", "demo:0", "--range", "9-1"}, 2},
        {{"run", "seqwrite", "demo:0"}, 3},
        {{"run", "writebuffer", "demo:1", "--confirm", "Write"}, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Finish(Start(c.arguments, out), std::chrono::seconds(60)), c.status)
            << (c.arguments.empty() ? "(nothing)" : c.arguments[0] + " " + c.arguments.back());
    }
    std::remove(out.c_str());
}

TEST(CliProcess, CtrlCStopsTheRunAndReportsIt) {
    // A whole sequential read of the demo disk takes about half a minute.
    const std::string out = ::testing::TempDir() + "cli-process-stop.txt";
    const std::string json = ::testing::TempDir() + "cli-process-stop.json";
    const std::string csv = ::testing::TempDir() + "cli-process-stop.csv";
    std::remove(json.c_str());
    std::remove(csv.c_str());
    const pid_t pid = Start({"run", "seqread", "demo:0", "--json", json, "--csv", csv}, out);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const auto stopAt = std::chrono::steady_clock::now();
    ASSERT_EQ(kill(pid, SIGINT), 0);
    EXPECT_EQ(Finish(pid, std::chrono::seconds(10)), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - stopAt, std::chrono::seconds(5));

    JsonValue report;
    ASSERT_TRUE(JsonReader::Parse(ReadFile(json), &report)) << ReadFile(json);
    EXPECT_EQ(report["result"].text, "stopped");
    EXPECT_GT(report["commands"].number, 0u);
    EXPECT_LT(report["progress"].number, 1000u);
    EXPECT_EQ(report["csv"].kind, JsonValue::Null);
    // A stopped run saves no result file, as its window offers none.
    EXPECT_FALSE(std::ifstream(csv).good());
    std::remove(out.c_str());
    std::remove(json.c_str());
}

}  // namespace
}  // namespace sektra::test
