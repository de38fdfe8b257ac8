#include "framework/TextFile.h"

#include "framework/CodePage.h"
#include "framework/File.h"

namespace sektra {

int TextFile::ToWide(const std::string& narrow, std::wstring& wide) {
    wide = MultiByteToWide(CodePage::Ansi, narrow.data(), narrow.size());
    const std::size_t nul = wide.find(L'\0');
    if (nul != std::wstring::npos) wide.resize(nul);
    return 0;
}

int TextFile::ToNarrow(const std::wstring& wide, std::string& narrow) {
    narrow = WideToMultiByte(CodePage::Ansi, wide);
    return 0;
}

int TextFile::ReadLines(const wchar_t* path, std::vector<std::wstring>& lines) {
    lines.clear();
    File file;
    if (file.OpenRead(path, kGenericRead, kShareRead | kShareWrite) != 0) return -1;
    const std::uint32_t size = file.GetSize();
    if (size == 0xFFFFFFFFu) return -1;
    std::string data(size, '\0');
    if (file.Seek(0, kSeekBegin) == 0xFFFFFFFFu || file.Read(&data[0], size) != 0) return -1;
    file.Close();

    std::wstring line;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == '\r' && data[i + 1] == '\n') {
            ToWide(data.substr(start, i - start), line);
            lines.push_back(line);
            start = i + 2;
            ++i;
        }
    }
    ToWide(data.substr(start), line);
    lines.push_back(line);
    return 0;
}

int TextFile::WriteLines(const wchar_t* path, const std::vector<std::wstring>& lines) {
    File file;
    if (file.OpenWrite(path, kGenericRead | kGenericWrite, kShareRead | kShareWrite, true) != 0) return -1;
    std::string buffer;
    std::string narrow;
    for (const std::wstring& line : lines) {
        ToNarrow(line, narrow);
        buffer += narrow;
        buffer += "\r\n";
    }
    // A write that fails (a full disk, say) is reported: callers tell the user a file was
    // saved only when it really was.
    return file.Write(buffer.data(), static_cast<std::uint32_t>(buffer.size()));
}

int TextFile::Trim(std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        text.clear();
        return 0;
    }
    text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    return 0;
}

}  // namespace sektra
