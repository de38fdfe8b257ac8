#include "testwindows/LatencyTexts.h"

namespace sektra {

std::wstring GroupedDigits(std::uint64_t value) {
    const std::wstring digits = std::to_wstring(value);
    std::wstring text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) text += L',';
        text += digits[i];
    }
    return text;
}

std::wstring LatencyText(std::uint64_t nanoseconds) {
    if (nanoseconds < 100000) {
        return L" " + std::to_wstring(nanoseconds / 1000) + L"." + std::to_wstring(nanoseconds / 100 % 10) +
               L" \u03BCs";
    }
    return L" " + GroupedDigits(nanoseconds / 1000) + L" \u03BCs";
}

std::wstring IopsText(std::uint64_t commandsPerSecond) { return L" " + GroupedDigits(commandsPerSecond); }

}  // namespace sektra
