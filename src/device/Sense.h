#pragma once
// Judging a command by its result and its sense data. Every caller uses IsCleanCommand: a
// command counts as successful only when it reached the device and the sense key, ASC and ASCQ
// are all zero, so RECOVERED ERROR (sense key 1) is a failure too, and a CHECK CONDITION
// without sense data passes.
#include <cstdint>

namespace sektra {

inline std::uint8_t SenseKey(const std::uint8_t* sense) { return sense[2] & 0x0F; }
inline std::uint8_t AdditionalSenseCode(const std::uint8_t* sense) { return sense[12]; }
inline std::uint8_t AdditionalSenseCodeQualifier(const std::uint8_t* sense) { return sense[13]; }

// `result` is the command operation's result (0 or -1); `sense` holds at least 14 bytes.
bool IsCleanCommand(int result, const std::uint8_t* sense);

}  // namespace sektra
