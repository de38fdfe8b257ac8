#pragma once
// Display names of bus types and peripheral device types, shown untranslated.
#include <cstdint>

namespace sektra {

// STORAGE_BUS_TYPE names up to UFS (19); other values are "UNKNOWN".
const char* GetBusTypeName(std::uint32_t busType);

// INQUIRY peripheral device type names; 15 and everything above are "Unknown Device".
const char* GetPeripheralTypeName(std::uint32_t peripheralType);

}  // namespace sektra
