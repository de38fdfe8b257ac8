// The two storage requests that do not travel as SCSI commands: the storage property query
// and the SMART request that returns the ATA IDENTIFY block.
#include <algorithm>
#include <cstring>

#include "device/StorageStructs.h"
#include "emulator/AtaIdentify.h"
#include "emulator/EmulatedDevice.h"
#include "emulator/HealthData.h"
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
    if (query.PropertyId == kStorageAdapterProtocolSpecificProperty ||
        query.PropertyId == kStorageDeviceProtocolSpecificProperty) {
        return query.QueryType == kPropertyStandardQuery && NvmeQuery(in, inSize, out, outSize, returned);
    }
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
    if (command == kAtaSmartCommand) return SmartData(params, out, outSize, returned);
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
    return Deliver(ReplyKind::AtaIdentify, d, out, outSize, returned);
}

bool EmulatedDevice::Deliver(ReplyKind kind, std::vector<std::uint8_t>& d, void* out, std::uint32_t outSize,
                             std::uint32_t* returned) {
    if (mutator_) mutator_(ReplyContext{kind, nullptr, 0, outSize}, d);
    const std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(d.size(), outSize));
    if (n > 0) std::memcpy(out, d.data(), n);
    if (returned) *returned = n;
    return true;
}

bool EmulatedDevice::SmartData(const SendCmdInParams& params, void* out, std::uint32_t outSize,
                               std::uint32_t* returned) {
    // The drive aborts a SMART command without the signature in the cylinder registers, and
    // one it has switched off or lacks.
    const IdeRegs& r = params.irDriveRegs;
    const bool attributes = r.bFeaturesReg == kSmartReadAttributes;
    if (!config_.smartAttributes || !IsAtaBus(config_.busType) || r.bCylLowReg != kSmartCylLow ||
        r.bCylHighReg != kSmartCylHigh || (!attributes && r.bFeaturesReg != kSmartReadThresholds)) {
        return false;
    }
    if (params.cBufferSize < kSmartBlockSize || !out || outSize < kSendCmdOutHeaderSize + kSmartBlockSize) return false;
    std::vector<std::uint8_t> d(kSendCmdOutHeaderSize, 0);
    const std::uint32_t size = kSmartBlockSize;
    std::memcpy(d.data(), &size, sizeof(size));
    const std::vector<std::uint8_t> table = attributes ? BuildSmartAttributes(config_) : BuildSmartThresholds(config_);
    d.insert(d.end(), table.begin(), table.end());
    return Deliver(ReplyKind::SmartData, d, out, outSize, returned);
}

bool EmulatedDevice::NvmeQuery(void* in, std::uint32_t inSize, void* out, std::uint32_t outSize,
                               std::uint32_t* returned) {
    if (config_.busType != kBusTypeNvme) return false;
    if (inSize < kPropertyQueryParametersOffset + sizeof(StorageProtocolSpecificData)) return false;
    StorageProtocolSpecificData request;
    std::memcpy(&request, static_cast<const std::uint8_t*>(in) + kPropertyQueryParametersOffset, sizeof(request));
    if (request.ProtocolType != kProtocolTypeNvme) return false;
    std::vector<std::uint8_t> data;
    if (request.DataType == kNvmeDataTypeIdentify && request.ProtocolDataRequestValue == kNvmeIdentifyCnsController) {
        data = BuildNvmeIdentifyController(config_);
    } else if (request.DataType == kNvmeDataTypeIdentify &&
               request.ProtocolDataRequestValue == kNvmeIdentifyCnsNamespace && request.ProtocolDataRequestSubValue == 1) {
        data = BuildNvmeIdentifyNamespace(config_);
    } else if (request.DataType == kNvmeDataTypeLogPage && request.ProtocolDataRequestValue == kNvmeLogPageHealth) {
        data = BuildNvmeHealthLog(config_);
    } else {
        return false;
    }
    // The caller's length may ask for less than the structure (a log page read in part); the
    // driver refuses an output buffer without room for the descriptor and the data asked.
    const std::uint32_t length = std::min<std::uint32_t>(request.ProtocolDataLength, static_cast<std::uint32_t>(data.size()));
    if (length == 0 || !out || outSize < sizeof(StorageProtocolDataDescriptor) + length) return false;
    StorageProtocolDataDescriptor descriptor{};
    descriptor.Version = sizeof(descriptor);
    descriptor.Size = sizeof(descriptor);
    descriptor.ProtocolSpecificData = request;
    descriptor.ProtocolSpecificData.ProtocolDataOffset = sizeof(StorageProtocolSpecificData);
    descriptor.ProtocolSpecificData.ProtocolDataLength = length;
    std::vector<std::uint8_t> d(sizeof(descriptor) + length);
    std::memcpy(d.data(), &descriptor, sizeof(descriptor));
    std::copy_n(data.begin(), length, d.begin() + sizeof(descriptor));
    return Deliver(ReplyKind::NvmeData, d, out, outSize, returned);
}

}  // namespace sektra
