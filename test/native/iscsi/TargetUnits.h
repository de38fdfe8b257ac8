#pragma once
// The logical units that scripts/tgt-fixture.sh serves, found through the environment it sets,
// and the means to reconfigure or pause that target from a test.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace sektra::test {

// SEKTRA_ISCSI_<name>, or empty when the fixture does not serve that unit.
inline std::string UnitUrl(const std::string& name) {
    const char* value = std::getenv(("SEKTRA_ISCSI_" + name).c_str());
    return value ? value : "";
}

inline std::string UnitFile(const std::string& name) { return UnitUrl(name + "_FILE"); }

inline std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// tgtadm for the fixture's daemon; true when it succeeded. What it said goes to `output`.
inline bool TargetAdmin(const std::string& arguments, std::string* output = nullptr) {
    const char* control = std::getenv("SEKTRA_TGT_CONTROL_PORT");
    if (!control) return false;
    const std::string command = "tgtadm -C " + std::string(control) + " --lld iscsi " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    std::string text;
    char chunk[256];
    while (std::fgets(chunk, sizeof(chunk), pipe)) text += chunk;
    const int status = pclose(pipe);
    if (output) *output = text;
    return status == 0;
}

// Stops the fixture's daemon (SIGSTOP) for as long as it lives: a target that answers nothing.
class PausedTarget {
public:
    PausedTarget() {
        const char* pid = std::getenv("SEKTRA_TGT_PID");
        pid_ = pid ? static_cast<pid_t>(std::atol(pid)) : 0;
        if (pid_ > 0) kill(pid_, SIGSTOP);
    }
    ~PausedTarget() {
        if (pid_ > 0) kill(pid_, SIGCONT);
    }
    PausedTarget(const PausedTarget&) = delete;
    PausedTarget& operator=(const PausedTarget&) = delete;
    bool Paused() const { return pid_ > 0; }

private:
    pid_t pid_ = 0;
};

}  // namespace sektra::test

// Declares `var` as the URL of unit `name`, or skips the test when the fixture does not serve it.
#define SEKTRA_REQUIRE_UNIT(var, name)                                                              \
    const std::string var = ::sektra::test::UnitUrl(name);                                           \
    if (var.empty()) GTEST_SKIP() << "no " << (name) << " unit: run this program under scripts/tgt-fixture.sh"
