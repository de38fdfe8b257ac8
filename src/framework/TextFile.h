#pragma once
// Text files as Windows programs of this kind keep them: the system's ANSI code page, CR LF
// line ends, read and written whole, held as one wide string a line.
#include <string>
#include <vector>

namespace sektra {

class TextFile {
public:
    virtual ~TextFile() = default;

    // From the ANSI code page; the result ends at the first NUL. Always 0.
    virtual int ToWide(const std::string& narrow, std::wstring& wide);
    // To the ANSI code page. Always 0.
    virtual int ToNarrow(const std::wstring& wide, std::string& narrow);
    // Only CR LF ends a line; the text after the last CR LF is one more line, even when empty.
    virtual int ReadLines(const wchar_t* path, std::vector<std::wstring>& lines);
    // Each line followed by CR LF, the last one too; an existing file is replaced.
    // -1 when the file cannot be opened or the write fails.
    virtual int WriteLines(const wchar_t* path, const std::vector<std::wstring>& lines);
    // Strips U+0020 at both ends (tabs stay). Always 0.
    virtual int Trim(std::wstring& text);
};

}  // namespace sektra
