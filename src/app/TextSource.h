#pragma once
// Where the browser takes its texts from: the strings of the language module by number
// (the Win32 side reads the loaded module; tests use a table). A missing string is "".
#include <string>

namespace sektra {

class TextSource {
public:
    virtual ~TextSource() = default;
    virtual std::wstring String(unsigned id) const = 0;
};

// Identification texts that a device reports, shown through the OEM code page.
std::wstring DeviceText(const char* text);

}  // namespace sektra
