#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "setup/win32/DeleteFolder.h"
#include "setup/win32/StartSelfDelete.h"

namespace sektra {
namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring SystemFolder() {
    wchar_t buffer[MAX_PATH] = {};
    GetSystemDirectoryW(buffer, MAX_PATH);
    return buffer;
}

// Runs the real clean-up batch against a stand-in "Setup.exe" that is held open without
// delete sharing, as a running program's file is, and released a little later.
class CleanupBatchRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        tempFolder = temp;
        folder = tempFolder + L"sektra batch test 100%";
        DeleteFolder(folder);
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        executable = folder + L"\\Setup.exe";
        std::ofstream(executable.c_str(), std::ios::binary) << "MZ";
    }
    void TearDown() override { DeleteFolder(folder); }

    // Starts the batch while the file is held, releases it after `holdMs`, and waits for the
    // batch to end. False when it has not ended within a minute.
    bool RunBatch(DWORD holdMs) {
        HANDLE held = CreateFileW(executable.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(held, INVALID_HANDLE_VALUE);
        PROCESS_INFORMATION process;
        EXPECT_EQ(StartCleanupBatch(executable, tempFolder, SystemFolder(), process), 0);
        if (process.hProcess == nullptr) return false;
        ResumeThread(process.hThread);
        Sleep(holdMs);
        EXPECT_TRUE(Exists(executable)) << "deleted while still held";
        CloseHandle(held);
        const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
        if (!ended) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return ended;
    }

    std::wstring tempFolder, folder, executable;
};

TEST_F(CleanupBatchRunTest, DeletesSetupOnceReleasedThenItsFolderAndItself) {
    ASSERT_TRUE(RunBatch(2500));
    EXPECT_FALSE(Exists(executable));
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(tempFolder + L"DelSK.bat"));
}

TEST_F(CleanupBatchRunTest, AUsersFileKeepsTheFolderAndTheBatchStillEnds) {
    std::ofstream((folder + L"\\mine.csv").c_str(), std::ios::binary) << "1,2,";
    ASSERT_TRUE(RunBatch(500));
    EXPECT_FALSE(Exists(executable));
    EXPECT_TRUE(Exists(folder + L"\\mine.csv"));
    EXPECT_FALSE(Exists(tempFolder + L"DelSK.bat"));
}

TEST(CleanupBatchChoice, OnlyTheInstalledCopyDeletesItself) {
    EXPECT_TRUE(RunsFromInstallFolder(L"C:\\Program Files\\Sektra Meter\\Setup.exe", L"C:\\Program Files\\Sektra Meter\\"));
    EXPECT_TRUE(RunsFromInstallFolder(L"c:\\program files\\sektra meter\\SETUP.EXE", L"C:\\Program Files\\Sektra Meter"));
    EXPECT_FALSE(RunsFromInstallFolder(L"D:\\Downloads\\Sektra\\Setup.exe", L"C:\\Program Files\\Sektra Meter\\"));
    EXPECT_FALSE(RunsFromInstallFolder(L"C:\\Program Files\\Sektra Meter\\Setup.exe", L""));
    EXPECT_FALSE(RunsFromInstallFolder(L"", L"C:\\Program Files\\Sektra Meter\\"));
}

}  // namespace
}  // namespace sektra
