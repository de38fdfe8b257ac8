#pragma once
// One registry key, opened below a predefined root. Operations return 0, or -1 on failure.
#include <windows.h>

#include <cstdint>
#include <string>

namespace sektra {

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Takes HKEY_CLASSES_ROOT .. HKEY_USERS, HKEY_CURRENT_CONFIG or HKEY_DYN_DATA; any other
    // value leaves the root as it was and gives 1.
    int SetRoot(HKEY newRoot);
    // Creates or opens root\subkey with full access; -1 also when a key is already open.
    int Create(const wchar_t* subkey, const wchar_t* keyClass);
    int Open(const wchar_t* subkey);
    int Close();  // 0

    // Strings are stored with their terminating NUL.
    int SetString(const wchar_t* name, const std::wstring& text);
    int SetNumber(const wchar_t* name, std::uint32_t value);
    // The stored text, good until the next GetString; empty when the value is missing or is
    // no string.
    const wchar_t* GetString(const wchar_t* name);
    // 0 when the value is missing or is no 32-bit number.
    std::uint32_t GetNumber(const wchar_t* name);
    // Deletes root\subkey (relative to the root, not to the open key).
    int DeleteKey(const wchar_t* subkey);

    bool IsOpen() const { return key != nullptr; }

private:
    HKEY key = nullptr;
    HKEY root = HKEY_CURRENT_USER;
    std::wstring valueBuffer;
};

}  // namespace sektra
