#include "app/TextSource.h"

#include <cstring>

#include "framework/CodePage.h"

namespace sektra {

std::wstring DeviceText(const char* text) {
    if (text == nullptr) return std::wstring();
    return MultiByteToWide(CodePage::Oem, text, std::strlen(text));
}

}  // namespace sektra
