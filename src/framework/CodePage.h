#pragma once
// The one place where byte strings become wide strings and back. Windows converts with the
// system's ANSI or OEM code page; the native build stands in with code page 932 (Shift-JIS),
// the code page of the Japanese systems the programs run on.
#include <cstddef>
#include <string>

namespace sektra {

enum class CodePage { Ansi, Oem };

// Converts `size` bytes; characters the code page cannot map become U+FFFD / '?' rather than
// ending the conversion, so nothing after a bad byte is lost.
std::wstring MultiByteToWide(CodePage page, const char* data, std::size_t size);
std::string WideToMultiByte(CodePage page, const std::wstring& text);

}  // namespace sektra
