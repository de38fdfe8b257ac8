#include "device/iscsi/IscsiDescriptors.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "device/StorageStructs.h"

namespace sektra {

namespace {

constexpr std::size_t kStandardInquiryTextsEnd = 36;

std::string Text(const std::uint8_t* data, std::size_t from, std::size_t count) {
    return std::string(reinterpret_cast<const char*>(data) + from, count);
}

std::uint32_t PageLength(const std::uint8_t* data, std::size_t length) {
    if (length < 4) return 0;
    const std::uint32_t stated = (std::uint32_t{data[2]} << 8) | data[3];
    return std::min<std::uint32_t>(stated, static_cast<std::uint32_t>(length - 4));
}

}  // namespace

void ParseStandardInquiry(const std::uint8_t* data, std::size_t length, IscsiIdentity* identity) {
    if (length < 1) return;
    identity->peripheralType = data[0] & 0x1F;
    if (length > 1) identity->removable = (data[1] & 0x80) != 0;
    if (length > 7) identity->commandQueueing = (data[7] & 0x02) != 0;
    if (length >= kStandardInquiryTextsEnd) {
        identity->vendor = Text(data, 8, 8);
        identity->product = Text(data, 16, 16);
        identity->revision = Text(data, 32, 4);
    }
}

std::string ParseSerialNumberPage(const std::uint8_t* data, std::size_t length) {
    if (length < 4 || data[1] != 0x80) return std::string();
    std::string serial = Text(data, 4, PageLength(data, length));
    // A text field: it ends at the first zero byte if the unit pads with zeros.
    const std::size_t zero = serial.find('\0');
    if (zero != std::string::npos) serial.resize(zero);
    return serial;
}

std::uint32_t ParseMaximumTransferBlocks(const std::uint8_t* data, std::size_t length) {
    if (length < 4 || data[1] != 0xB0 || PageLength(data, length) < 8) return 0;
    return (std::uint32_t{data[8]} << 24) | (std::uint32_t{data[9]} << 16) | (std::uint32_t{data[10]} << 8) | data[11];
}

std::uint32_t MaximumTransferBytes(std::uint32_t maximumBlocks, std::uint32_t blockLength, std::uint32_t fallback,
                                   std::uint32_t cap) {
    if (maximumBlocks == 0 || blockLength == 0) return std::min(fallback, cap);
    const std::uint64_t bytes = std::uint64_t{maximumBlocks} * blockLength;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, cap));
}

std::vector<std::uint8_t> IscsiDeviceDescriptor(const IscsiIdentity& identity) {
    std::vector<std::uint8_t> d(offsetof(StorageDeviceDescriptor, RawDeviceProperties), 0);
    auto append = [&d](const std::string& text) {
        const std::uint32_t offset = static_cast<std::uint32_t>(d.size());
        d.insert(d.end(), text.begin(), text.end());
        d.push_back(0);
        return offset;
    };
    StorageDeviceDescriptor h{};
    h.Version = sizeof(StorageDeviceDescriptor);
    h.DeviceType = identity.peripheralType;
    h.RemovableMedia = identity.removable ? 1 : 0;
    h.CommandQueueing = identity.commandQueueing ? 1 : 0;
    h.VendorIdOffset = append(identity.vendor);
    h.ProductIdOffset = append(identity.product);
    h.ProductRevisionOffset = append(identity.revision);
    if (!identity.serialNumber.empty()) h.SerialNumberOffset = append(identity.serialNumber);
    h.BusType = kBusTypeiScsi;
    h.Size = static_cast<std::uint32_t>(d.size());
    std::memcpy(d.data(), &h, offsetof(StorageDeviceDescriptor, RawDeviceProperties));
    return d;
}

std::vector<std::uint8_t> IscsiAdapterDescriptor(const IscsiIdentity& identity) {
    constexpr std::uint32_t kPageSize = 4096;
    StorageAdapterDescriptor a{};
    a.Version = sizeof(a);
    a.Size = sizeof(a);
    a.MaximumTransferLength = identity.maximumTransferLength;
    // An unaligned buffer of the largest transfer spans one page more than an aligned one.
    a.MaximumPhysicalPages = identity.maximumTransferLength / kPageSize + 1;
    a.AlignmentMask = 0;  // the data is copied to and from the network: any address will do
    a.CommandQueueing = identity.commandQueueing ? 1 : 0;
    a.BusType = static_cast<std::uint8_t>(kBusTypeiScsi);
    std::vector<std::uint8_t> d(sizeof(a));
    std::memcpy(d.data(), &a, sizeof(a));
    return d;
}

}  // namespace sektra
