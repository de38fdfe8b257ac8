#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "setup/win32/DeleteFolder.h"
#include "setup/win32/SetupSteps.h"
#include "setup/win32/ShortcutFile.h"

namespace sektra {
namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary);
    out << bytes;
}

std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A fresh scratch folder in the temporary folder for each test.
class SetupFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = std::wstring(temp) + L"sektra_setup_" + std::wstring(info->name(), info->name() + strlen(info->name()));
        DeleteFolder(root);
        ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
    }
    void TearDown() override {
        // Undo read-only marks so the scratch folder goes.
        SetFileAttributesW((root + L"\\a\\b\\locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFolder(root);
    }

    std::wstring root;
};

TEST_F(SetupFilesTest, DeleteFolderRemovesTheWholeTree) {
    CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr);
    CreateDirectoryW((root + L"\\empty").c_str(), nullptr);
    WriteFile(root + L"\\top.txt", "x");
    WriteFile(root + L"\\a\\b\\deep.ini", "y");
    WriteFile(root + L"\\a\\日本語.csv", "z");
    DeleteFolder(root + L"\\");
    EXPECT_FALSE(Exists(root));
    DeleteFolder(root);  // missing: nothing happens
    EXPECT_FALSE(Exists(root));
}

TEST_F(SetupFilesTest, AFileThatCannotGoKeepsItsFolders) {
    CreateDirectoryW((root + L"\\a").c_str(), nullptr);
    CreateDirectoryW((root + L"\\a\\b").c_str(), nullptr);
    CreateDirectoryW((root + L"\\c").c_str(), nullptr);
    WriteFile(root + L"\\a\\b\\locked.txt", "keep");
    SetFileAttributesW((root + L"\\a\\b\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFile(root + L"\\a\\other.txt", "go");
    WriteFile(root + L"\\c\\gone.txt", "go");
    DeleteFolder(root);
    EXPECT_TRUE(Exists(root + L"\\a\\b\\locked.txt"));
    EXPECT_FALSE(Exists(root + L"\\a\\other.txt"));
    EXPECT_FALSE(Exists(root + L"\\c"));
}

TEST_F(SetupFilesTest, ProgramFilesAreCopiedAndOnlyThoseAreRemoved) {
    const std::wstring dist = root + L"\\dist";
    const std::wstring install = root + L"\\Sektra Meter";
    CreateDirectoryW(dist.c_str(), nullptr);
    CreateDirectoryW(install.c_str(), nullptr);
    for (const wchar_t* name : kProgramFiles) WriteFile(dist + L"\\" + name, "new");
    WriteFile(install + L"\\Sektra.exe", "old");
    CopyProgramFiles(dist + L"\\", install);
    for (const wchar_t* name : kProgramFiles) EXPECT_EQ(ReadFile(install + L"\\" + name), "new") << name;

    WriteFile(install + L"\\my results.csv", "mine");
    RemoveProgramFiles(install + L"\\");
    for (const wchar_t* name : kProgramFiles) EXPECT_FALSE(Exists(install + L"\\" + name)) << name;
    EXPECT_EQ(ReadFile(install + L"\\my results.csv"), "mine");

    DeleteFileW((install + L"\\my results.csv").c_str());
    CopyProgramFiles(dist, install);
    RemoveProgramFiles(install);
    EXPECT_FALSE(Exists(install));
}

TEST_F(SetupFilesTest, SettingsAreWrittenUnlessACompatibleInstallKeepsThem) {
    const std::wstring ini = root + L"\\Sektra\\Sektra.ini";
    const std::string fresh = "TimerMode=1\r\nShowInterval=100\r\nPerFrq=0\r\nPerformCells=201\r\n";
    const std::string users = "TimerMode=2\r\nShowInterval=50\r\nPerFrq=2000000000\r\nPerformCells=301\r\n";

    EXPECT_EQ(PrepareSettings(root, 0), 0);  // nothing registered, no file
    EXPECT_EQ(ReadFile(ini), fresh);

    WriteFile(ini, users);
    EXPECT_EQ(PrepareSettings(root + L"\\", 131585), 0);  // same version: kept
    EXPECT_EQ(ReadFile(ini), users);
    EXPECT_EQ(PrepareSettings(root, 0x20100), 0);  // 2.1.0: kept
    EXPECT_EQ(ReadFile(ini), users);
    EXPECT_EQ(PrepareSettings(root, 0x20000), 0);  // 2.0.0: replaced
    EXPECT_EQ(ReadFile(ini), fresh);

    DeleteFileW(ini.c_str());
    EXPECT_EQ(PrepareSettings(root, 131585), 0);  // registered but the file is gone
    EXPECT_EQ(ReadFile(ini), fresh);

    DeleteFileW(ini.c_str());
    CreateDirectoryW(ini.c_str(), nullptr);  // a folder in the file's place cannot be written
    EXPECT_EQ(PrepareSettings(root, 131585), -1);
    RemoveDirectoryW(ini.c_str());
}

std::wstring LinkTarget(const std::wstring& link) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* shellLink = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shellLink)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
                wchar_t path[MAX_PATH] = {};
                if (SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) target = path;
            }
            file->Release();
        }
        shellLink->Release();
    }
    CoUninitialize();
    return target;
}

TEST_F(SetupFilesTest, ShortcutsPointAtTheInstalledFiles) {
    const std::wstring install = root + L"\\Sektra Meter\\";
    CreateDirectoryW(install.c_str(), nullptr);
    for (const wchar_t* name : kProgramFiles) WriteFile(install + name, "x");

    ShortcutFile one;
    one.SetTarget(install + L"Sektra.exe");
    ASSERT_EQ(one.Save(root + L"\\one.lnk"), 0);
    EXPECT_EQ(LinkTarget(root + L"\\one.lnk"), install + L"Sektra.exe");
    EXPECT_EQ(one.Save(root + L"\\no such folder\\two.lnk"), -1);

    const std::wstring programs = root + L"\\Programs";
    CreateDirectoryW(programs.c_str(), nullptr);
    CreateStartMenu(programs, install);
    EXPECT_EQ(LinkTarget(programs + L"\\Sektra Meter\\Sektra.lnk"), install + L"Sektra.exe");
    EXPECT_EQ(LinkTarget(programs + L"\\Sektra Meter\\Sektra Help.lnk"), install + L"Sektra.chm");
    EXPECT_EQ(LinkTarget(programs + L"\\Sektra Meter\\Readme.lnk"), install + L"Readme.txt");
}

}  // namespace
}  // namespace sektra
