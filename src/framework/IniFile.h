#pragma once
// The settings file: a flat list of "key=value" lines, no sections, no comments. Entries keep
// their file order; keys compare exactly and the first of duplicates wins.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/TextFile.h"

namespace sektra {

class IniFile : public TextFile {
public:
    virtual int SetUInt64(const std::wstring& key, std::uint64_t value);
    virtual int SetInt64(const std::wstring& key, std::int64_t value);
    virtual int SetUInt32(const std::wstring& key, std::uint32_t value);
    virtual int SetInt32(const std::wstring& key, std::int32_t value);
    virtual int SetString(const std::wstring& key, const std::wstring& value);
    // Getters return -1 and leave `out` alone when the key is missing. A present key always
    // gives 0, whatever its text: the number is what the text's leading digits say.
    virtual int GetUInt64(const std::wstring& key, std::uint64_t& out);
    virtual int GetInt64(const std::wstring& key, std::int64_t& out);
    virtual int GetUInt32(const std::wstring& key, std::uint32_t& out);
    virtual int GetInt32(const std::wstring& key, std::int32_t& out);
    virtual int GetString(const std::wstring& key, std::wstring& out);
    // Appends one entry per line holding '='; other lines are dropped.
    virtual int Load(const wchar_t* path);
    // Writes every entry with a non-empty key as key=value.
    virtual int Save(const wchar_t* path);

    const std::vector<std::wstring>& Keys() const { return keys; }
    const std::vector<std::wstring>& Values() const { return values; }

private:
    std::vector<std::wstring> keys;
    std::vector<std::wstring> values;
};

}  // namespace sektra
