#include "cli/Json.h"

#include "framework/Utf8.h"

namespace sektra {
void JsonWriter::Indent() {
    text_ += '\n';
    text_.append(static_cast<std::size_t>(depth_) * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (depth_ > 0) {
        if (!first_) text_ += ',';
        Indent();
    }
    first_ = false;
}

void JsonWriter::BeginObject() {
    BeforeValue();
    text_ += '{';
    ++depth_;
    first_ = true;
}

void JsonWriter::EndObject() {
    --depth_;
    if (!first_) Indent();
    text_ += '}';
    first_ = false;
    if (depth_ == 0) text_ += '\n';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    text_ += '[';
    ++depth_;
    first_ = true;
}

void JsonWriter::EndArray() {
    --depth_;
    if (!first_) Indent();
    text_ += ']';
    first_ = false;
    if (depth_ == 0) text_ += '\n';
}

void JsonWriter::Key(const char* key) {
    BeforeValue();
    AppendQuoted(key);
    text_ += ": ";
    afterKey_ = true;
}

void JsonWriter::String(const std::string& utf8) {
    BeforeValue();
    AppendQuoted(utf8);
}

void JsonWriter::AppendQuoted(const std::string& utf8) {
    // Re-encoded so that a device's stray bytes can never make the file invalid UTF-8.
    const std::string clean = Utf8FromWide(WideFromUtf8(utf8));
    text_ += '"';
    for (char ch : clean) {
        const unsigned char c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': text_ += "\\\""; break;
        case '\\': text_ += "\\\\"; break;
        case '\n': text_ += "\\n"; break;
        case '\r': text_ += "\\r"; break;
        case '\t': text_ += "\\t"; break;
        default:
            if (c < 0x20) {
                static const char kHex[] = "0123456789abcdef";
                text_ += "\\u00";
                text_ += kHex[c >> 4];
                text_ += kHex[c & 15];
            } else {
                text_ += ch;
            }
        }
    }
    text_ += '"';
}

void JsonWriter::String(const std::wstring& text) { String(Utf8FromWide(text)); }

void JsonWriter::UInt(std::uint64_t value) {
    BeforeValue();
    text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    text_ += "null";
}

}  // namespace sektra
