#include "app/IntegerFormat.h"

#include <gtest/gtest.h>

namespace sektra {
namespace {

TEST(IntegerFormat, FormatsOneIntegerLikeWsprintf) {
    struct Case {
        const wchar_t* format;
        std::int64_t value;
        const wchar_t* expected;
    } const cases[] = {
        {L"Page %02Xh", 0x83, L"Page 83h"},
        {L"Page %02Xh", 0x0, L"Page 00h"},
        {L"%x", 255, L"ff"},
        {L"%#x", 255, L"0xff"},
        {L"%4d KB Test", 1, L"   1 KB Test"},
        {L"%4d KB Test", 1024, L"1024 KB Test"},
        {L"%4d KB Test", 12345, L"12345 KB Test"},
        {L"%-4d|", 7, L"7   |"},
        {L"%+d", 7, L"+7"},
        {L"%05d", -42, L"-0042"},
        {L"%.3d", 5, L"005"},
        {L"%d", -1, L"-1"},
        {L"%u", -1, L"4294967295"},
        {L"%ld", 4294967296LL + 3, L"3"},  // 32 bits unless I64
        {L"%I64u", 4294967296LL + 3, L"4294967299"},
        {L"%I64d", -5000000000LL, L"-5000000000"},
        {L"%lld", 5000000000LL, L"5000000000"},
        {L"100%% %d", 3, L"100% 3"},
        {L"no number", 3, L"no number"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatInteger(c.format, c.value), c.expected) << testing::PrintToString(std::wstring(c.format));
    }
}

TEST(IntegerFormat, KeepsForeignConversionsAsText) {
    // A broken or foreign format from the language module must not read missing arguments.
    EXPECT_EQ(FormatInteger(L"%s and %d", 4), L"%s and 4");
    EXPECT_EQ(FormatInteger(L"%d and %d", 4), L"4 and %d");
    EXPECT_EQ(FormatInteger(L"end %", 4), L"end %");
    EXPECT_EQ(FormatInteger(L"end %5", 4), L"end %5");
    EXPECT_EQ(FormatInteger(L"%999999999999d", 4).size(), 1024u);  // width is bounded
}

}  // namespace
}  // namespace sektra
