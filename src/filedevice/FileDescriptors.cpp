#include "filedevice/FileDescriptors.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "device/StorageStructs.h"
#include "emulator/ScsiPages.h"

namespace sektra {

std::vector<std::uint8_t> FileDeviceDescriptor(const DeviceConfig& identity) {
    std::vector<std::uint8_t> d(offsetof(StorageDeviceDescriptor, RawDeviceProperties), 0);
    // Each text padded to its INQUIRY field width, as the storage stack reports them.
    auto append = [&d](const std::string& text, std::size_t width) {
        const std::uint32_t offset = static_cast<std::uint32_t>(d.size());
        d.resize(d.size() + width + 1, 0);
        PutText(&d[offset], width, text);
        return offset;
    };
    StorageDeviceDescriptor h{};
    h.Version = sizeof(StorageDeviceDescriptor);
    h.DeviceType = identity.peripheralType;
    h.VendorIdOffset = append(identity.vendor, 8);
    h.ProductIdOffset = append(identity.product, 16);
    h.ProductRevisionOffset = append(identity.revision, 4);
    h.BusType = identity.busType;
    h.Size = static_cast<std::uint32_t>(d.size());
    std::memcpy(d.data(), &h, offsetof(StorageDeviceDescriptor, RawDeviceProperties));
    return d;
}

std::vector<std::uint8_t> FileAdapterDescriptor(std::uint32_t busType, std::uint32_t maximumTransferLength,
                                                std::uint32_t maximumPhysicalPages, std::uint32_t alignmentMask) {
    StorageAdapterDescriptor a{};
    a.Version = sizeof(a);
    a.Size = sizeof(a);
    a.MaximumTransferLength = maximumTransferLength;
    a.MaximumPhysicalPages = maximumPhysicalPages;
    a.AlignmentMask = alignmentMask;
    a.BusType = static_cast<std::uint8_t>(busType);
    std::vector<std::uint8_t> d(sizeof(a));
    std::memcpy(d.data(), &a, sizeof(a));
    return d;
}

}  // namespace sektra
