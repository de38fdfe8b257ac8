// One version everywhere: the version resources of the three Windows files and the read-me
// carry the version the project declares (the help file is checked by help_version).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SektraVersion.h"

namespace sektra {
namespace {

// A build-tree path as wine sees it (drive Z: is the Unix root).
std::wstring WinePath(const std::string& unix) {
    std::wstring path = L"Z:";
    for (char c : unix) path += (c == '/') ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

struct VersionRecord {
    DWORD fileMs = 0, fileLs = 0, productMs = 0, productLs = 0;
    std::wstring fileVersion, productVersion, productName;
};

std::wstring StringValue(std::vector<char>& data, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
    if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) return L"";
    return std::wstring(value);
}

bool ReadVersion(const std::wstring& file, VersionRecord& record) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &handle);
    if (size == 0) return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr) return false;
    record.fileMs = fixed->dwFileVersionMS;
    record.fileLs = fixed->dwFileVersionLS;
    record.productMs = fixed->dwProductVersionMS;
    record.productLs = fixed->dwProductVersionLS;
    record.fileVersion = StringValue(data, L"FileVersion");
    record.productVersion = StringValue(data, L"ProductVersion");
    record.productName = StringValue(data, L"ProductName");
    return true;
}

TEST(Version, OneVersionInEveryResourceAndTheReadMe) {
    // major.minor in the high word pair, patch.0 in the low one.
    const DWORD ms = (SEKTRA_VERSION_MAJOR << 16) | SEKTRA_VERSION_MINOR;
    const DWORD ls = SEKTRA_VERSION_PATCH << 16;
    for (const char* file : {SEKTRA_EXE_FILE, SEKTRA_LANGUAGE_FILE, SEKTRA_SETUP_FILE}) {
        VersionRecord record;
        ASSERT_TRUE(ReadVersion(WinePath(file), record)) << file;
        EXPECT_EQ(record.fileMs, ms) << file;
        EXPECT_EQ(record.fileLs, ls) << file;
        EXPECT_EQ(record.productMs, ms) << file;
        EXPECT_EQ(record.productLs, ls) << file;
        EXPECT_EQ(record.fileVersion, SEKTRA_VERSION_WIDE) << file;
        EXPECT_EQ(record.productVersion, SEKTRA_VERSION_WIDE) << file;
        EXPECT_EQ(record.productName, L"Sektra") << file;
    }
    EXPECT_STREQ(SEKTRA_VERSION_WIDE, L"2.2.1");  // the uninstall entry's 2, 2, 1 and 0x20201

    // The read-me, in code page 932, names the product and the same version.
    std::ifstream readme(SEKTRA_README_FILE, std::ios::binary);
    ASSERT_TRUE(readme.good());
    const std::string bytes((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    ASSERT_GT(length, 0) << "Readme.txt is not code page 932";
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    EXPECT_NE(text.find(std::wstring(L"Sektra バージョン ") + SEKTRA_VERSION_WIDE), std::wstring::npos);
    EXPECT_EQ(text.find(L"Sektra Meter 2"), std::wstring::npos);
}

}  // namespace
}  // namespace sektra
