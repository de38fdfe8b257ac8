// The two storage requests that do not travel as SCSI commands: the storage property query
// and the SMART request that returns the ATA IDENTIFY block.
#include <algorithm>
#include <cstring>

#include "device/StorageStructs.h"
#include "emulator/AtaIdentify.h"
#include "emulator/EmulatedDevice.h"
#include "emulator/ScsiPages.h"

namespace sektra {

namespace {

constexpr std::uint32_t kPropertyExistsQuery = 1;
constexpr std::size_t kDescriptorHeaderSize = 8;  // Version and Size

bool IsAtaBus(std::uint32_t busType) { return busType == kBusTypeAta || busType == kBusTypeSata; }

std::string Field(const std::string& text, std::size_t width) {
    std::string s(width, ' ');
    std::copy_n(text.begin(), std::min(width, text.size()), s.begin());
    return s;
}

// STORAGE_DEVICE_DESCRIPTOR with its texts after the fixed part. ATA and ATAPI devices have no
// vendor text: their model is the product text.
std::vector<std::uint8_t> DeviceDescriptor(const DeviceConfig& config) {
    std::vector<std::uint8_t> d(offsetof(StorageDeviceDescriptor, RawDeviceProperties), 0);
    auto append = [&](const std::string& text) {
        const std::uint32_t offset = static_cast<std::uint32_t>(d.size());
        d.insert(d.end(), text.begin(), text.end());
        d.push_back(0);
        return offset;
    };
    const bool ata = IsAtaBus(config.busType) || config.busType == kBusTypeAtapi;
    StorageDeviceDescriptor h{};
    h.Version = sizeof(StorageDeviceDescriptor);
    h.DeviceType = config.peripheralType;
    h.RemovableMedia = config.removable ? 1 : 0;
    h.CommandQueueing = config.busType == kBusTypeScsi ? 1 : 0;
    if (ata) {
        std::string model = config.ataModel.empty() ? Field(config.vendor, 8) + Field(config.product, 16) : config.ataModel;
        model.erase(model.find_last_not_of(' ') + 1);
        h.ProductIdOffset = append(model);
    } else {
        h.VendorIdOffset = append(Field(config.vendor, 8));
        h.ProductIdOffset = append(Field(config.product, 16));
    }
    h.ProductRevisionOffset = append(Field(config.revision, 4));
    if (!config.serialNumber.empty()) h.SerialNumberOffset = append(config.serialNumber);
    h.BusType = config.busType;
    h.Size = static_cast<std::uint32_t>(d.size());
    std::memcpy(d.data(), &h, offsetof(StorageDeviceDescriptor, RawDeviceProperties));
    return d;
}

std::vector<std::uint8_t> AdapterDescriptor(const DeviceConfig& config) {
    StorageAdapterDescriptor a{};
    a.Version = sizeof(a);
    a.Size = sizeof(a);
    a.MaximumTransferLength = config.maximumTransferLength;
    a.MaximumPhysicalPages = config.maximumPhysicalPages;
    a.AlignmentMask = config.alignmentMask;
    a.CommandQueueing = config.busType == kBusTypeScsi ? 1 : 0;
    a.AcceleratedTransfer = 1;
    a.BusType = static_cast<std::uint8_t>(config.busType);
    std::vector<std::uint8_t> d(sizeof(a));
    std::memcpy(d.data(), &a, sizeof(a));
    return d;
}

}  // namespace

bool EmulatedDevice::QueryProperty(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                   std::uint32_t* returned) {
    if (!in || inSize < kDescriptorHeaderSize) return false;
    StoragePropertyQuery query{};
    std::memcpy(&query, in, std::min<std::size_t>(inSize, sizeof(query)));
    if (query.PropertyId != kStorageDeviceProperty && query.PropertyId != kStorageAdapterProperty) return false;
    if (query.QueryType == kPropertyExistsQuery) return true;
    if (query.QueryType != kPropertyStandardQuery) return false;
    // The driver needs room for at least the Version and Size of the descriptor; a smaller
    // buffer still larger than that receives the start of the descriptor.
    if (!out || outSize < kDescriptorHeaderSize) return false;

    const bool device = query.PropertyId == kStorageDeviceProperty;
    std::vector<std::uint8_t> d = device ? DeviceDescriptor(config_) : AdapterDescriptor(config_);
    if (mutator_) {
        mutator_(ReplyContext{device ? ReplyKind::DeviceDescriptor : ReplyKind::AdapterDescriptor, nullptr, 0, outSize}, d);
    }
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(d.size(), outSize));
    if (n > 0) std::memcpy(out, d.data(), n);
    if (returned) *returned = n;
    return true;
}

bool EmulatedDevice::SmartReceive(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                                  std::uint32_t* returned) {
    if (!in || inSize < kSendCmdInParamsSize) return false;
    SendCmdInParams params;
    std::memcpy(&params, in, kSendCmdInParamsSize);
    const std::uint8_t command = params.irDriveRegs.bCommandReg;
    const bool packet = config_.busType == kBusTypeAtapi;
    // Only the ATA port answers, and a drive aborts the IDENTIFY of the other kind.
    if (!(packet && command == kAtaIdentifyPacketDevice) && !(IsAtaBus(config_.busType) && command == kAtaIdentifyDevice)) {
        return false;
    }
    if (params.cBufferSize < kIdentifyBlockSize || !out || outSize < kSendCmdOutHeaderSize + kIdentifyBlockSize) {
        return false;
    }
    std::vector<std::uint8_t> d(kSendCmdOutHeaderSize + kIdentifyBlockSize, 0);
    const std::uint32_t size = kIdentifyBlockSize;
    std::memcpy(d.data(), &size, sizeof(size));
    const IdentifyBlock block = BuildIdentifyBlock(config_, packet);
    std::copy(block.begin(), block.end(), d.begin() + kSendCmdOutHeaderSize);
    if (mutator_) mutator_(ReplyContext{ReplyKind::AtaIdentify, nullptr, 0, outSize}, d);
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(d.size(), outSize));
    if (n > 0) std::memcpy(out, d.data(), n);
    if (returned) *returned = n;
    return true;
}

}  // namespace sektra
