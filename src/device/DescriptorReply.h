#pragma once
// How a storage property query hands its descriptor to the caller, as Windows' storage drivers
// do: the caller needs room for at least the Version and Size fields; a smaller buffer larger
// than that receives the start of the descriptor.
#include <cstdint>
#include <vector>

namespace sektra {

bool DeliverDescriptor(const std::vector<std::uint8_t>& descriptor, void* out, std::uint32_t outSize,
                       std::uint32_t* returned);

}  // namespace sektra
