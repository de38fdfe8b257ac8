#include <gtest/gtest.h>

#include "framework/File.h"
#include "framework/TextFile.h"
#include "native/files/ScratchDir.h"

namespace sektra {
namespace {

using Lines = std::vector<std::wstring>;

struct ReadCase {
    const char* name;
    std::string bytes;
    Lines lines;
};

TEST(TextFile, ReadLinesSplitsOnlyAtCrLf) {
    const ReadCase cases[] = {
        {"empty file is one empty line", "", {L""}},
        {"final CR LF gives a final empty line", "a\r\n", {L"a", L""}},
        {"LF-only text is one line", "a\nb\n", {L"a\nb\n"}},
        {"lone CR stays in the line", "a\rb\r\n\r\n", {L"a\rb", L"", L""}},
        {"CR at the very end", "x\r", {L"x\r"}},
        {"two lines without a final line end", "key=1\r\nk2=2", {L"key=1", L"k2=2"}},
        {"Shift-JIS text", "\x93\xfa\x96\x7b\x8c\xea\r\n", {L"\u65e5\u672c\u8a9e", L""}},
        {"text after a NUL is cut from its line", std::string("ab\0cd\r\nef", 9), {L"ab", L"ef"}},
    };
    test::ScratchDir dir;
    for (const ReadCase& c : cases) {
        dir.Put("in.txt", c.bytes);
        TextFile file;
        Lines lines{L"stale"};
        EXPECT_EQ(0, file.ReadLines(dir.File("in.txt").c_str(), lines)) << c.name;
        EXPECT_EQ(c.lines, lines) << c.name;
    }
}

TEST(TextFile, WriteLinesEndsEveryLineWithCrLfInShiftJis) {
    test::ScratchDir dir;
    TextFile file;
    ASSERT_EQ(0, file.WriteLines(dir.File("out.txt").c_str(), {L"a", L""}));
    EXPECT_EQ("a\r\n\r\n", dir.Get("out.txt"));  // read back "a", "" and written: one more CR LF

    ASSERT_EQ(0, file.WriteLines(dir.File("out.txt").c_str(), {L"\u65e5\u672c\u8a9e", L"\u30c6\u30b9\u30c8 x"}));
    EXPECT_EQ("\x93\xfa\x96\x7b\x8c\xea\r\n\x83\x65\x83\x58\x83\x67 x\r\n", dir.Get("out.txt"));

    // A shorter text replaces a longer file completely.
    ASSERT_EQ(0, file.WriteLines(dir.File("out.txt").c_str(), {L"z"}));
    EXPECT_EQ("z\r\n", dir.Get("out.txt"));
}

TEST(TextFile, RoundTripAddsOneEmptyLine) {
    test::ScratchDir dir;
    TextFile file;
    const Lines written{L"TimerMode=1", L"\u8a2d\u5b9a = \u5024", L"", L"  spaced  "};
    ASSERT_EQ(0, file.WriteLines(dir.File("r.txt").c_str(), written));
    Lines read;
    ASSERT_EQ(0, file.ReadLines(dir.File("r.txt").c_str(), read));
    Lines expected = written;
    expected.push_back(L"");
    EXPECT_EQ(expected, read);
}

TEST(TextFile, BadInputGivesMinusOneAndNoLines) {
    test::ScratchDir dir;
    TextFile file;
    Lines lines{L"stale"};
    EXPECT_EQ(-1, file.ReadLines(dir.File("missing.txt").c_str(), lines));
    EXPECT_TRUE(lines.empty());
    lines = {L"stale"};
    EXPECT_EQ(-1, file.ReadLines(dir.Path().c_str(), lines)) << "a directory is not a file";
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(-1, file.WriteLines(dir.Path().c_str(), {L"x"})) << "cannot write over a directory";
    EXPECT_EQ(-1, file.WriteLines(dir.File("no/such/folder.txt").c_str(), {L"x"}));
}

TEST(TextFile, BinaryAndLargeFilesReadWithoutHarm) {
    test::ScratchDir dir;
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919) & 0xFF);
    dir.Put("bin", binary);
    TextFile file;
    Lines lines;
    EXPECT_EQ(0, file.ReadLines(dir.File("bin").c_str(), lines));
    EXPECT_FALSE(lines.empty());

    std::string big;
    for (int i = 0; i < 200000; ++i) big += "line " + std::to_string(i) + "\r\n";  // about 2.5 MB
    dir.Put("big", big);
    ASSERT_EQ(0, file.ReadLines(dir.File("big").c_str(), lines));
    ASSERT_EQ(200001u, lines.size());
    EXPECT_EQ(L"line 199999", lines[199999]);
    EXPECT_EQ(L"", lines[200000]);
}

TEST(TextFile, TrimRemovesOnlyOuterSpaces) {
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"   ", L""}, {L"", L""}, {L" a b ", L"a b"}, {L"\ta\t", L"\ta\t"}, {L"  x", L"x"}, {L"x  ", L"x"},
        {L"\u3000x\u3000", L"\u3000x\u3000"},  // the ideographic space is not U+0020
    };
    TextFile file;
    for (const auto& c : cases) {
        std::wstring text = c.first;
        EXPECT_EQ(0, file.Trim(text));
        EXPECT_EQ(c.second, text);
    }
}

TEST(File, OperationsOnAClosedOrReopenedFile) {
    test::ScratchDir dir;
    File file;
    char byte = 0;
    EXPECT_EQ(-1, file.Read(&byte, 1));
    EXPECT_EQ(-1, file.Write(&byte, 1));
    EXPECT_EQ(0xFFFFFFFFu, file.GetSize());
    EXPECT_EQ(0xFFFFFFFFu, file.Tell());
    EXPECT_EQ(0xFFFFFFFFu, file.Seek(0, kSeekBegin));
    EXPECT_EQ(0, file.Close());

    dir.Put("f", "0123456789");
    ASSERT_EQ(0, file.OpenRead(dir.File("f").c_str(), kGenericRead, kShareRead));
    EXPECT_EQ(-1, file.OpenRead(dir.File("f").c_str(), kGenericRead, kShareRead)) << "already open";
    EXPECT_EQ(10u, file.GetSize());
    EXPECT_EQ(3u, file.Seek(3, kSeekBegin));
    EXPECT_EQ(5u, file.Seek(2, kSeekCurrent));
    EXPECT_EQ(10u, file.Seek(0, kSeekEnd));
    EXPECT_EQ(2u, file.Seek(2, kSeekBegin));
    char two[2];
    ASSERT_EQ(0, file.Read(two, 2));
    EXPECT_EQ('2', two[0]);
    EXPECT_EQ(4u, file.Tell());
    file.Close();

    // OpenWrite without truncation keeps the content and creates missing files.
    ASSERT_EQ(0, file.OpenWrite(dir.File("f").c_str(), kGenericWrite, 0, false));
    EXPECT_EQ(10u, file.GetSize());
    file.Close();
    ASSERT_EQ(0, file.OpenWrite(dir.File("new").c_str(), kGenericWrite, 0, true));
    EXPECT_EQ(0u, file.GetSize());
}

}  // namespace
}  // namespace sektra
