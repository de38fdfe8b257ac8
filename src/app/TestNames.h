#pragma once
// The tests' English names, as the detail list shows them.
#include "app/ItemCode.h"

namespace sektra {

// "Sequential Read Test" and so on by code & 0xFF00; null for codes that are no test.
const wchar_t* TestEnglishName(ItemCode code);

}  // namespace sektra
