#pragma once
// Which bits of the command blocks the emulated target answers are reserved (or name features
// it does not have, such as protection information). A real target refuses a command that sets
// one with ILLEGAL REQUEST, INVALID FIELD IN CDB, and so does the emulated one: a program that
// works against it then also works against real devices.
#include <cstdint>

namespace sektra {

// True when the first `cdbLength` bytes of `cdb` set a bit the target must refuse. The control
// byte (vendor bits, NACA) is not judged.
bool SetsReservedBit(const std::uint8_t* cdb, std::uint8_t cdbLength);

}  // namespace sektra
