#include "framework/IniFile.h"

#include <cwchar>
#include <sstream>

namespace sektra {

namespace {

template <typename T>
std::wstring Format(T value) {
    std::wostringstream out;
    out << value;
    return out.str();
}

template <typename T>
void Extract(const std::wstring& text, T& out) {
    std::wistringstream in(text);
    in >> out;  // a text that is no number leaves 0, as stream extraction does
}

}  // namespace

int IniFile::SetUInt64(const std::wstring& key, std::uint64_t value) { return SetString(key, Format(value)); }
int IniFile::SetInt64(const std::wstring& key, std::int64_t value) { return SetString(key, Format(value)); }
int IniFile::SetUInt32(const std::wstring& key, std::uint32_t value) { return SetString(key, Format(value)); }
int IniFile::SetInt32(const std::wstring& key, std::int32_t value) { return SetString(key, Format(value)); }

int IniFile::SetString(const std::wstring& key, const std::wstring& value) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            values[i] = value;
            return 0;
        }
    }
    keys.push_back(key);
    values.push_back(value);
    return 0;
}

int IniFile::GetString(const std::wstring& key, std::wstring& out) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == key) {
            out = values[i];
            return 0;
        }
    }
    return -1;
}

int IniFile::GetUInt32(const std::wstring& key, std::uint32_t& out) {
    std::wstring text;
    if (GetString(key, text) != 0) return -1;
    Extract(text, out);
    return 0;
}

int IniFile::GetInt32(const std::wstring& key, std::int32_t& out) {
    std::wstring text;
    if (GetString(key, text) != 0) return -1;
    Extract(text, out);
    return 0;
}

int IniFile::GetInt64(const std::wstring& key, std::int64_t& out) {
    std::wstring text;
    if (GetString(key, text) != 0) return -1;
    out = static_cast<std::int64_t>(std::wcstoll(text.c_str(), nullptr, 10));
    return 0;
}

int IniFile::GetUInt64(const std::wstring& key, std::uint64_t& out) {
    std::int64_t value = 0;
    if (GetInt64(key, value) != 0) return -1;
    out = static_cast<std::uint64_t>(value);
    return 0;
}

int IniFile::Load(const wchar_t* path) {
    std::vector<std::wstring> lines;
    if (ReadLines(path, lines) != 0) return -1;
    for (const std::wstring& line : lines) {
        const std::size_t eq = line.find(L'=');
        if (eq == std::wstring::npos) continue;
        std::wstring key = line.substr(0, eq);
        std::wstring value = line.substr(eq + 1);
        Trim(key);
        Trim(value);
        keys.push_back(key);
        values.push_back(value);
    }
    return 0;
}

int IniFile::Save(const wchar_t* path) {
    std::vector<std::wstring> lines;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!keys[i].empty()) lines.push_back(keys[i] + L"=" + values[i]);
    }
    return WriteLines(path, lines);
}

}  // namespace sektra
