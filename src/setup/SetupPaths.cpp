#include "setup/SetupPaths.h"

namespace sektra {

const wchar_t* const kProductFolderName = L"Sektra Meter";

namespace {

wchar_t FoldAscii(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool EqualIgnoringAsciiCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

}  // namespace

std::wstring WithTrailingBackslash(const std::wstring& path) {
    return WithoutTrailingBackslash(path) + L'\\';
}

std::wstring WithoutTrailingBackslash(const std::wstring& path) {
    std::wstring::size_type end = path.find_last_not_of(L'\\');
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

std::wstring FolderOf(const std::wstring& path) {
    std::wstring::size_type slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return EqualIgnoringAsciiCase(WithoutTrailingBackslash(a), WithoutTrailingBackslash(b));
}

std::wstring InstallFolderFromBrowse(const std::wstring& chosen) {
    std::wstring folder = WithoutTrailingBackslash(chosen);
    std::wstring::size_type slash = folder.rfind(L'\\');
    if (slash != std::wstring::npos &&
        EqualIgnoringAsciiCase(folder.substr(slash + 1), kProductFolderName)) {
        return folder;
    }
    return folder + L'\\' + kProductFolderName;
}

}  // namespace sektra
