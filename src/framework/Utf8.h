#pragma once
// UTF-8 beside the wide strings: file names natively, arguments and reports of the console
// runner. Wide strings are UTF-16 on Windows and UTF-32 elsewhere.
#include <string>

namespace sektra {

// Unpaired surrogates and values beyond Unicode become U+FFFD.
std::string Utf8FromWide(const std::wstring& text);
// Malformed sequences (stray or missing continuation bytes, overlong forms, surrogates) become
// U+FFFD.
std::wstring WideFromUtf8(const std::string& text);

}  // namespace sektra
