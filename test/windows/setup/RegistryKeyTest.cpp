#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "setup/UninstallEntry.h"
#include "setup/win32/RegistryKey.h"
#include "setup/win32/SetupSteps.h"

namespace sektra {
namespace {

// Every test works below its own key of HKEY_CURRENT_USER and removes it afterwards.
class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = L"Software\\SektraSetupTest\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\SektraSetupTest"); }

    DWORD RawType(const wchar_t* name, DWORD* size) {
        HKEY key;
        DWORD type = 0;
        *size = 0;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
        RegQueryValueExW(key, name, nullptr, &type, nullptr, size);
        RegCloseKey(key);
        return type;
    }

    std::wstring path;
};

TEST_F(RegistryKeyTest, RootsOutsideThePredefinedSetAreRefused) {
    RegistryKey key;
    const struct { ULONG_PTR root; int result; } cases[] = {
        {0x80000000u, 0}, {0x80000001u, 0}, {0x80000002u, 0}, {0x80000003u, 0},
        {0x80000004u, 1},  // performance data
        {0x80000005u, 0}, {0x80000006u, 0}, {0x80000007u, 1}, {0, 1}, {0x7FFFFFFFu, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(key.SetRoot(reinterpret_cast<HKEY>(c.root)), c.result) << std::hex << c.root;
    }
    // The refused roots left the last accepted one (HKEY_DYN_DATA) in place; set it back and
    // show that the root is what Create uses.
    ASSERT_EQ(key.SetRoot(HKEY_CURRENT_USER), 0);
    EXPECT_EQ(key.SetRoot(reinterpret_cast<HKEY>(0x80000004u)), 1);
    ASSERT_EQ(key.Create(path.c_str(), nullptr), 0);
    EXPECT_EQ(key.SetNumber(L"n", 5), 0);
    key.Close();
    DWORD size;
    EXPECT_EQ(RawType(L"n", &size), static_cast<DWORD>(REG_DWORD));
}

TEST_F(RegistryKeyTest, ValuesRoundTripWithTheirTypesAndSizes) {
    RegistryKey key;
    EXPECT_EQ(key.Open(path.c_str()), -1);  // missing
    ASSERT_EQ(key.Create(path.c_str(), nullptr), 0);
    EXPECT_EQ(key.Create(path.c_str(), nullptr), -1);  // one key at a time
    EXPECT_EQ(key.Open(path.c_str()), -1);
    EXPECT_EQ(key.SetString(L"Text", L"C:\\測定\\Sektra Meter\\"), 0);
    EXPECT_EQ(key.SetString(L"Empty", L""), 0);
    EXPECT_EQ(key.SetNumber(L"Version", 131585), 0);
    EXPECT_EQ(key.Close(), 0);
    EXPECT_EQ(key.Close(), 0);

    DWORD size;
    EXPECT_EQ(RawType(L"Text", &size), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 2u * (19 + 1));  // 19 characters and the terminating NUL
    EXPECT_EQ(RawType(L"Empty", &size), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 2u);

    ASSERT_EQ(key.Open(path.c_str()), 0);
    EXPECT_STREQ(key.GetString(L"Text"), L"C:\\測定\\Sektra Meter\\");
    EXPECT_STREQ(key.GetString(L"Empty"), L"");
    EXPECT_STREQ(key.GetString(L"Missing"), L"");
    EXPECT_STREQ(key.GetString(L"Version"), L"");  // a number is no string
    EXPECT_EQ(key.GetNumber(L"Version"), 131585u);
    EXPECT_EQ(key.GetNumber(L"Missing"), 0u);
    EXPECT_EQ(key.GetNumber(L"Text"), 0u);  // a string is no number
}

TEST_F(RegistryKeyTest, UnterminatedAndOddSizedStringsAreReadSafely) {
    HKEY raw;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    const wchar_t text[] = {L'A', L'B', L'C'};
    RegSetValueExW(raw, L"NoNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    RegSetValueExW(raw, L"Odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 5);
    const DWORD shortNumber = 7;
    RegSetValueExW(raw, L"Short", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&shortNumber), 2);
    RegCloseKey(raw);

    RegistryKey key;
    ASSERT_EQ(key.Open(path.c_str()), 0);
    EXPECT_STREQ(key.GetString(L"NoNul"), L"ABC");
    // Five bytes: two characters and half of a third, which the system may keep or drop.
    const std::wstring odd = key.GetString(L"Odd");
    EXPECT_EQ(odd.substr(0, 2), L"AB");
    EXPECT_LE(odd.size(), 3u);
    EXPECT_EQ(key.GetNumber(L"Short"), 0u);
}

TEST_F(RegistryKeyTest, DeleteKeyIsRelativeToTheRoot) {
    RegistryKey key;
    ASSERT_EQ(key.Create(path.c_str(), nullptr), 0);
    key.Close();
    EXPECT_EQ(key.DeleteKey(path.c_str()), 0);
    EXPECT_EQ(key.Open(path.c_str()), -1);
    EXPECT_EQ(key.DeleteKey(path.c_str()), -1);
}

TEST_F(RegistryKeyTest, UninstallEntryIsWrittenAndReadBack) {
    WriteUninstallEntry(HKEY_CURRENT_USER, path.c_str(), L"C:\\Program Files\\Sektra Meter");
    const RegisteredInstall install = ReadRegisteredInstall(HKEY_CURRENT_USER, path.c_str());
    EXPECT_EQ(install.version, 131585u);
    EXPECT_EQ(install.location, L"C:\\Program Files\\Sektra Meter\\");
    EXPECT_EQ(install.uninstallString, L"C:\\Program Files\\Sektra Meter\\Setup.exe /u");

    RegistryKey key;
    ASSERT_EQ(key.Open(path.c_str()), 0);
    for (const UninstallValue& value : UninstallValues(L"C:\\Program Files\\Sektra Meter")) {
        DWORD size;
        if (value.type == UninstallValue::String) {
            EXPECT_EQ(RawType(value.name, &size), static_cast<DWORD>(REG_SZ)) << value.name;
            EXPECT_EQ(size, 2 * (value.text.size() + 1)) << value.name;
            EXPECT_EQ(key.GetString(value.name), value.text) << value.name;
        } else {
            EXPECT_EQ(RawType(value.name, &size), static_cast<DWORD>(REG_DWORD)) << value.name;
            EXPECT_EQ(key.GetNumber(value.name), value.number) << value.name;
        }
    }
}

TEST_F(RegistryKeyTest, NothingRegisteredReadsAsEmpty) {
    const RegisteredInstall install = ReadRegisteredInstall(HKEY_CURRENT_USER, path.c_str());
    EXPECT_EQ(install.version, 0u);
    EXPECT_TRUE(install.location.empty());
    EXPECT_TRUE(install.uninstallString.empty());
}

}  // namespace
}  // namespace sektra
