#pragma once
// The message that tells why a write test is refused on a disk that holds data, and how the
// disk can be cleared for testing.
#include <string>

#include "app/TextSource.h"
#include "device/WriteSafety.h"

namespace sektra {

// Empty when the verdict allows the test.
std::wstring WriteRefusalText(const WriteSafetyVerdict& verdict, const TextSource& texts);

}  // namespace sektra
