#include "device/DescriptorReply.h"

#include <algorithm>
#include <cstring>

namespace sektra {

namespace {

constexpr std::uint32_t kVersionAndSize = 8;

}  // namespace

bool DeliverDescriptor(const std::vector<std::uint8_t>& descriptor, void* out, std::uint32_t outSize,
                       std::uint32_t* returned) {
    if (!out || outSize < kVersionAndSize) return false;
    const auto n = static_cast<std::uint32_t>(std::min<std::size_t>(descriptor.size(), outSize));
    if (n > 0) std::memcpy(out, descriptor.data(), n);
    if (returned) *returned = n;
    return true;
}

}  // namespace sektra
