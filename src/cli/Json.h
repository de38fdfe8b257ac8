#pragma once
// Just enough JSON for the runner's reports: objects and arrays written in order, strings
// escaped, 64-bit integers exact. Texts from devices are wide strings and go out as UTF-8.
#include <cstdint>
#include <string>

#include "framework/Utf8.h"

namespace sektra {

class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // A key of the object being written; the next call writes its value.
    void Key(const char* key);

    void String(const std::string& utf8);
    void String(const std::wstring& text);
    void UInt(std::uint64_t value);
    void Bool(bool value);
    void Null();

    // The text so far, ending with a newline once the outermost value is closed.
    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void Indent();
    void AppendQuoted(const std::string& utf8);

    std::string text_;
    int depth_ = 0;
    bool first_ = true;       // nothing written yet in the current object or array
    bool afterKey_ = false;
};

}  // namespace sektra
