#include "framework/CodePage.h"

#include <windows.h>

#include <vector>

namespace sektra {

static UINT ToWindows(CodePage page) { return page == CodePage::Ansi ? CP_ACP : CP_OEMCP; }

std::wstring MultiByteToWide(CodePage page, const char* data, std::size_t size) {
    if (size == 0) return std::wstring();
    const int count = MultiByteToWideChar(ToWindows(page), 0, data, static_cast<int>(size), nullptr, 0);
    if (count <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(count), L'\0');
    MultiByteToWideChar(ToWindows(page), 0, data, static_cast<int>(size), &wide[0], count);
    return wide;
}

std::string WideToMultiByte(CodePage page, const std::wstring& text) {
    if (text.empty()) return std::string();
    // A double-byte code page needs at most two bytes per UTF-16 unit.
    std::vector<char> buffer(2 * text.size() + 2, '\0');
    const int count = WideCharToMultiByte(ToWindows(page), 0, text.data(), static_cast<int>(text.size()),
                                          buffer.data(), static_cast<int>(buffer.size()), nullptr, nullptr);
    return std::string(buffer.data(), count > 0 ? static_cast<std::size_t>(count) : 0);
}

}  // namespace sektra
