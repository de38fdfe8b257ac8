// The report writer: escapes, texts from devices in any bytes, and 64-bit numbers, read back
// by an independent reader.
#include <gtest/gtest.h>

#include "JsonReader.h"
#include "cli/Json.h"

namespace sektra::test {
namespace {

TEST(Json, WrittenTextsReadBackUnchanged) {
    const std::string texts[] = {
        "", "plain", "quote \" backslash \\ slash /", "line\nfeed\rreturn\ttab", std::string("nul\0byte", 8),
        "\x01\x1f", "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB",  // モデル
        "\xF0\x9F\x92\xBE",                                   // outside the 16-bit plane
    };
    for (const std::string& text : texts) {
        JsonWriter json;
        json.BeginObject();
        json.Key("text");
        json.String(text);
        json.Key("big");
        json.UInt(18446744073709551615ull);
        json.EndObject();
        JsonValue value;
        ASSERT_TRUE(JsonReader::Parse(json.Text(), &value)) << json.Text();
        EXPECT_EQ(value["text"].text, text);
        EXPECT_EQ(value["big"].number, 18446744073709551615ull);
    }
}

TEST(Json, MalformedBytesBecomeReplacementCharacters) {
    // A lone continuation byte, a truncated sequence, an overlong slash and an encoded surrogate.
    const std::string bytes = "a\x80" "b\xE3\x83" "c\xC0\xAF" "d\xED\xA0\x80";
    JsonWriter json;
    json.String(bytes);
    JsonValue value;
    ASSERT_TRUE(JsonReader::Parse(json.Text(), &value)) << json.Text();
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(value.text.find('\x80'), std::string::npos);
    EXPECT_EQ(value.text.substr(0, 1 + replacement.size()), "a" + replacement);
    EXPECT_EQ(WideFromUtf8("\xE3\x83\xA2"), std::wstring(1, L'\u30E2'));
    EXPECT_EQ(Utf8FromWide(WideFromUtf8("\xF0\x9F\x92\xBE")), "\xF0\x9F\x92\xBE");
}

TEST(Json, NestedArraysAndObjects) {
    JsonWriter json;
    json.BeginArray();
    json.BeginObject();
    json.Key("a");
    json.Null();
    json.Key("b");
    json.Bool(true);
    json.EndObject();
    json.BeginObject();
    json.EndObject();
    json.EndArray();
    JsonValue value;
    ASSERT_TRUE(JsonReader::Parse(json.Text(), &value)) << json.Text();
    ASSERT_EQ(value.items.size(), 2u);
    EXPECT_EQ(value.items[0]["a"].kind, JsonValue::Null);
    EXPECT_TRUE(value.items[0]["b"].boolean);
    EXPECT_TRUE(value.items[1].members.empty());
}

}  // namespace
}  // namespace sektra::test
