#pragma once
// A small JSON reader for checking the runner's reports: objects, arrays, strings (with the
// escapes the writer uses), unsigned integers, true, false and null. Enough to read them back
// independently of the writer.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sektra::test {

struct JsonValue {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    std::uint64_t number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    bool Has(const std::string& key) const { return kind == Object && members.count(key) != 0; }
    const JsonValue& operator[](const std::string& key) const { return members.at(key); }
};

class JsonReader {
public:
    // False when `text` is not one JSON value (surrounded by white space only).
    static bool Parse(const std::string& text, JsonValue* value) {
        JsonReader reader(text);
        return reader.Value(value) && (reader.SkipSpace(), reader.at_ == text.size());
    }

private:
    explicit JsonReader(const std::string& text) : text_(text) {}

    void SkipSpace() {
        while (at_ < text_.size() && std::string(" \n\r\t").find(text_[at_]) != std::string::npos) ++at_;
    }
    bool Take(char c) {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool Word(const char* word) {
        const std::string w(word);
        if (text_.compare(at_, w.size(), w) != 0) return false;
        at_ += w.size();
        return true;
    }
    bool StringValue(std::string* out) {
        if (!Take('"')) return false;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                *out += c;
                continue;
            }
            if (at_ >= text_.size()) return false;
            const char e = text_[at_++];
            switch (e) {
            case '"': *out += '"'; break;
            case '\\': *out += '\\'; break;
            case '/': *out += '/'; break;
            case 'n': *out += '\n'; break;
            case 'r': *out += '\r'; break;
            case 't': *out += '\t'; break;
            case 'u': {
                if (at_ + 4 > text_.size()) return false;
                const unsigned code = static_cast<unsigned>(std::stoul(text_.substr(at_, 4), nullptr, 16));
                at_ += 4;
                if (code >= 0x80) return false;  // the writer escapes control characters only
                *out += static_cast<char>(code);
                break;
            }
            default: return false;
            }
        }
        return false;
    }
    bool Value(JsonValue* value) {
        SkipSpace();
        if (at_ >= text_.size()) return false;
        const char c = text_[at_];
        if (c == '{') {
            ++at_;
            value->kind = JsonValue::Object;
            if (Take('}')) return true;
            do {
                std::string key;
                JsonValue member;
                if (!StringValue(&key) || !Take(':') || !Value(&member)) return false;
                if (value->members.count(key)) return false;  // a key twice
                value->members[key] = member;
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            ++at_;
            value->kind = JsonValue::Array;
            if (Take(']')) return true;
            do {
                JsonValue item;
                if (!Value(&item)) return false;
                value->items.push_back(item);
            } while (Take(','));
            return Take(']');
        }
        if (c == '"') {
            value->kind = JsonValue::String;
            return StringValue(&value->text);
        }
        if (c >= '0' && c <= '9') {
            value->kind = JsonValue::Number;
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
                value->number = value->number * 10 + static_cast<std::uint64_t>(text_[at_++] - '0');
            }
            return true;
        }
        if (Word("true")) {
            value->kind = JsonValue::Bool;
            value->boolean = true;
            return true;
        }
        if (Word("false")) {
            value->kind = JsonValue::Bool;
            return true;
        }
        if (Word("null")) return true;
        return false;
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

}  // namespace sektra::test
