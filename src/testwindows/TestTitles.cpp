#include "testwindows/TestTitles.h"

#include <cwchar>

namespace sektra {
namespace {

// prefix + label + suffix, the label cut so that the whole stays within kMaxTitleLength.
std::wstring Bounded(const std::wstring& prefix, const std::wstring& label, const wchar_t* suffix) {
    const std::wstring tail = suffix;
    const std::size_t room = kMaxTitleLength - prefix.size() - tail.size();
    std::wstring cut = label.substr(0, room);
    // Never leave half of a surrogate pair at the cut.
    if (cut.size() < label.size() && !cut.empty() && cut.back() >= 0xD800 && cut.back() <= 0xDBFF) cut.pop_back();
    return prefix + cut + tail;
}

std::wstring Kilobytes(double kilobytes) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.1f", kilobytes);
    return buffer;
}

}  // namespace

std::wstring TransferTitle(std::uint32_t testType, double kilobytes, const std::wstring& rangeLabel) {
    const wchar_t* name = nullptr;
    switch (testType) {
    case 5: name = L"Seq. Read Test("; break;
    case 6: name = L"Seq. Write Test("; break;
    case 7: name = L"Rnd. Read Test("; break;
    case 8: name = L"Rnd. Write Test("; break;
    default: return std::wstring();
    }
    return Bounded(name + Kilobytes(kilobytes) + L"KB ", rangeLabel, L") - ");
}

std::wstring CacheTitle(std::uint32_t testType, double kilobytes) {
    const wchar_t* name = nullptr;
    switch (testType) {
    case 3: name = L"Cache Hit Test("; break;
    case 9: name = L"Read Buffer Test("; break;
    case 10: name = L"Write Buffer Test("; break;
    default: return std::wstring();
    }
    // A size of 64 digits cannot occur; Bounded still keeps the title inside its buffer.
    return Bounded(std::wstring(name), Kilobytes(kilobytes) + L"KB", L") - ");
}

std::wstring SeekTitle(const std::wstring& label, bool accessTime) {
    return Bounded(accessTime ? L"Access Time Test(" : L"Seek Test(", label, L") - ");
}

double BlocksInKilobytes(std::uint64_t units, std::uint32_t blockLength) {
    return static_cast<double>(units * blockLength) / 1024.0;
}

std::wstring TitleUpToParenthesis(const std::wstring& title) {
    const std::size_t parenthesis = title.rfind(L')');
    if (parenthesis == std::wstring::npos) return title;
    return title.substr(0, parenthesis + 1);
}

std::wstring InitialSaveName(const std::wstring& model, const std::wstring& title) {
    std::wstring name = model + L" " + TitleUpToParenthesis(title);
    if (name.size() > kMaxSaveNameLength) name.resize(kMaxSaveNameLength);
    return name;
}

}  // namespace sektra
