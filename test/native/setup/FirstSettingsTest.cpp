#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "setup/FirstSettings.h"

namespace sektra {
namespace {

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FirstSettings, FourKeysInOrderWithWindowsLineEnds) {
    const std::string path = ::testing::TempDir() + "sektra_first_settings.ini";
    {
        std::ofstream old(path, std::ios::binary);
        old << "TimerMode=2\r\nPerFrq=3000000000\r\nOther=1\r\n";  // replaced, not merged
    }
    const std::wstring widePath(path.begin(), path.end());
    ASSERT_EQ(WriteFirstSettings(widePath.c_str()), 0);
    EXPECT_EQ(ReadBytes(path), "TimerMode=1\r\nShowInterval=100\r\nPerFrq=0\r\nPerformCells=201\r\n");
    std::remove(path.c_str());
}

TEST(FirstSettings, UnwritablePathFails) {
    const std::string path = ::testing::TempDir() + "no_such_folder_for_sektra/x/Sektra.ini";
    const std::wstring widePath(path.begin(), path.end());
    EXPECT_EQ(WriteFirstSettings(widePath.c_str()), -1);
}

}  // namespace
}  // namespace sektra
