#include "framework/CodePage.h"

#include <iconv.h>

#include <cerrno>

namespace sektra {

namespace {

// Runs one whole conversion; an unconvertible input unit is skipped and `replacement` written
// in its place, so a broken byte never swallows the rest of the text.
std::string Convert(const char* to, const char* from, const char* data, std::size_t size,
                    std::size_t unit, const std::string& replacement) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    char* in = const_cast<char*>(data);
    std::size_t inLeft = size;
    char buffer[4096];
    while (inLeft > 0) {
        char* o = buffer;
        std::size_t oLeft = sizeof buffer;
        const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(buffer, o);
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL (a lead byte cut off at the end): replace one unit and go on.
            const std::size_t skip = inLeft < unit ? inLeft : unit;
            in += skip;
            inLeft -= skip;
            out += replacement;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::wstring MultiByteToWide(CodePage, const char* data, std::size_t size) {
    const wchar_t replacement = 0xFFFD;
    const std::string bytes = Convert("WCHAR_T", "CP932", data, size, 1,
                                      std::string(reinterpret_cast<const char*>(&replacement), sizeof replacement));
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

std::string WideToMultiByte(CodePage, const std::wstring& text) {
    return Convert("CP932", "WCHAR_T", reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t),
                   sizeof(wchar_t), "?");
}

}  // namespace sektra
