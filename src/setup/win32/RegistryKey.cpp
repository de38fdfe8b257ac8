#include "setup/win32/RegistryKey.h"

#include <vector>

namespace sektra {

namespace {
// KEY_ALL_ACCESS.
constexpr REGSAM kFullAccess = 0xF003F;
}  // namespace

RegistryKey::~RegistryKey() { Close(); }

int RegistryKey::SetRoot(HKEY newRoot) {
    const auto value = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(newRoot));
    const bool known = (value >= 0x80000000u && value <= 0x80000003u) || value == 0x80000005u || value == 0x80000006u;
    if (!known) return 1;
    root = newRoot;
    return 0;
}

int RegistryKey::Create(const wchar_t* subkey, const wchar_t* keyClass) {
    if (key != nullptr) return -1;
    DWORD disposition = 0;
    const LONG status = RegCreateKeyExW(root, subkey, 0, const_cast<wchar_t*>(keyClass), 0, kFullAccess,
                                        nullptr, &key, &disposition);
    if (status != ERROR_SUCCESS) key = nullptr;
    return status == ERROR_SUCCESS ? 0 : -1;
}

int RegistryKey::Open(const wchar_t* subkey) {
    if (key != nullptr) return -1;
    const LONG status = RegOpenKeyExW(root, subkey, 0, kFullAccess, &key);
    if (status != ERROR_SUCCESS) key = nullptr;
    return status == ERROR_SUCCESS ? 0 : -1;
}

int RegistryKey::Close() {
    if (key != nullptr) {
        RegCloseKey(key);
        key = nullptr;
    }
    return 0;
}

int RegistryKey::SetString(const wchar_t* name, const std::wstring& text) {
    if (key == nullptr) return -1;
    const DWORD size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), size) == ERROR_SUCCESS
               ? 0 : -1;
}

int RegistryKey::SetNumber(const wchar_t* name, std::uint32_t value) {
    if (key == nullptr) return -1;
    const DWORD number = value;
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number) ==
                   ERROR_SUCCESS ? 0 : -1;
}

const wchar_t* RegistryKey::GetString(const wchar_t* name) {
    valueBuffer.clear();
    if (key == nullptr) return valueBuffer.c_str();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return valueBuffer.c_str();
    if (type != REG_SZ && type != REG_EXPAND_SZ) return valueBuffer.c_str();
    // Registry strings need not be terminated, nor have an even size: read into a buffer with
    // room for a terminator of our own and stop at the first NUL.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD read = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read) == ERROR_SUCCESS) {
        buffer.back() = L'\0';
        valueBuffer = buffer.data();
    }
    return valueBuffer.c_str();
}

std::uint32_t RegistryKey::GetNumber(const wchar_t* name) {
    if (key == nullptr) return 0;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS) return 0;
    return (type == REG_DWORD && size == sizeof value) ? value : 0;
}

int RegistryKey::DeleteKey(const wchar_t* subkey) {
    return RegDeleteKeyW(root, subkey) == ERROR_SUCCESS ? 0 : -1;
}

}  // namespace sektra
