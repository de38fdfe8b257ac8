#pragma once
// What a logical unit says about itself, gathered once when it is opened, and the storage
// property replies built from it.
#include <cstdint>
#include <string>
#include <vector>

namespace sektra {

struct IscsiIdentity {
    std::uint8_t peripheralType = 0x1F;
    bool removable = false;
    bool commandQueueing = false;
    std::string vendor;    // INQUIRY bytes 8-15, as sent
    std::string product;   // bytes 16-31
    std::string revision;  // bytes 32-35
    std::string serialNumber;  // VPD page 80h; empty when the unit has none
    std::uint32_t maximumTransferLength = 0;  // bytes
};

// Fills the identity's INQUIRY fields from standard INQUIRY data of `length` bytes.
void ParseStandardInquiry(const std::uint8_t* data, std::size_t length, IscsiIdentity* identity);
// The serial number of a VPD page 80h reply; empty for anything else.
std::string ParseSerialNumberPage(const std::uint8_t* data, std::size_t length);
// The MAXIMUM TRANSFER LENGTH (in blocks) of a VPD page B0h reply; 0 when absent.
std::uint32_t ParseMaximumTransferBlocks(const std::uint8_t* data, std::size_t length);
// The bytes the port moves in one command: the unit's own limit when it states one (never
// above `cap`), else `fallback`.
std::uint32_t MaximumTransferBytes(std::uint32_t maximumBlocks, std::uint32_t blockLength, std::uint32_t fallback,
                                   std::uint32_t cap);

// STORAGE_DEVICE_DESCRIPTOR with bus type iSCSI and its texts after the fixed part.
std::vector<std::uint8_t> IscsiDeviceDescriptor(const IscsiIdentity& identity);
// STORAGE_ADAPTER_DESCRIPTOR with bus type iSCSI.
std::vector<std::uint8_t> IscsiAdapterDescriptor(const IscsiIdentity& identity);

}  // namespace sektra
