#pragma once
// How the device browser and the Device's own probes judge a typed command: it reached the
// device, the device ended it with GOOD status, and its sense data report nothing. A CHECK
// CONDITION that brought no sense, or BUSY and RESERVATION CONFLICT (which never bring any),
// therefore fail here although their sense area is all zeros.
#include <cstdint>

#include "device/ScsiRequest.h"
#include "device/Sense.h"

namespace sektra {

// `result` is the typed command's result (0 or -1); `io` the IoBuffer it filled.
bool Clean(int result, const IoBuffer& io);

// The sense key and additional sense code of a refused command, read from fixed (70h/71h) or
// descriptor (72h/73h) sense data; 0 when there is no sense.
std::uint8_t RefusalSenseKey(const IoBuffer& io);
std::uint8_t RefusalAsc(const IoBuffer& io);

}  // namespace sektra
