// The health data that do not travel as SCSI commands: the SMART attribute and threshold
// tables of ATA disks and the NVMe identify data and health log. Both go through the same
// control funnel as every other request.
#include <algorithm>
#include <cstring>
#include <vector>

#include "device/Device.h"
#include "device/StorageStructs.h"

namespace sektra {

namespace {

constexpr std::uint32_t kNvmeIdentifySize = 4096;
constexpr std::uint32_t kNvmeHealthLogSize = 512;
// Identify data are the largest structure asked for; the bound also keeps the buffer size
// below any 32-bit wrap.
constexpr std::uint32_t kMaxNvmeDataSize = 4096;

}  // namespace

int Device::SmartRead(std::uint8_t feature, std::uint8_t* out) {
    std::memset(out, 0, kSmartBlockSize);
    const std::uint32_t busType = GetBusType();
    if (busType != kBusTypeAta && busType != kBusTypeSata) return -1;

    SendCmdInParams in;
    std::memset(&in, 0, sizeof(in));
    in.cBufferSize = kSmartBlockSize;
    in.irDriveRegs.bFeaturesReg = feature;
    in.irDriveRegs.bSectorCountReg = 1;
    in.irDriveRegs.bSectorNumberReg = 1;
    in.irDriveRegs.bCylLowReg = kSmartCylLow;
    in.irDriveRegs.bCylHighReg = kSmartCylHigh;
    in.irDriveRegs.bDriveHeadReg = 0xA0;
    in.irDriveRegs.bCommandReg = kAtaSmartCommand;

    std::uint8_t reply[kSendCmdOutHeaderSize + kSmartBlockSize] = {};
    if (!Control(kSmartRcvDriveData, &in, kSendCmdInParamsSize, reply, sizeof(reply))) return -1;
    std::memcpy(out, reply + kSendCmdOutHeaderSize, kSmartBlockSize);
    return 0;
}

int Device::ReadSmartAttributes(std::uint8_t out[512]) { return SmartRead(kSmartReadAttributes, out); }

int Device::ReadSmartThresholds(std::uint8_t out[512]) { return SmartRead(kSmartReadThresholds, out); }

int Device::NvmeQuery(std::uint32_t propertyId, std::uint32_t dataType, std::uint32_t value,
                      std::uint32_t subValue, std::uint8_t* out, std::uint32_t length) {
    if (length > kMaxNvmeDataSize) return -1;
    std::memset(out, 0, length);
    if (GetBusType() != kBusTypeNvme) return -1;

    // One buffer layout serves as query and reply: the 8-byte query head (or descriptor head),
    // the protocol-specific data, then room for the returned structure.
    const std::uint32_t dataOffset = sizeof(StorageProtocolSpecificData);
    const std::uint32_t size = static_cast<std::uint32_t>(kPropertyQueryParametersOffset) + dataOffset + length;
    std::vector<std::uint8_t> query(size, 0);
    const std::uint32_t head[2] = {propertyId, kPropertyStandardQuery};
    std::memcpy(query.data(), head, sizeof(head));
    StorageProtocolSpecificData request{};
    request.ProtocolType = kProtocolTypeNvme;
    request.DataType = dataType;
    request.ProtocolDataRequestValue = value;
    request.ProtocolDataRequestSubValue = subValue;
    request.ProtocolDataOffset = dataOffset;
    request.ProtocolDataLength = length;
    std::memcpy(query.data() + kPropertyQueryParametersOffset, &request, sizeof(request));

    std::vector<std::uint8_t> reply(size, 0);
    if (!Control(kIoctlStorageQueryProperty, query.data(), size, reply.data(), size)) return -1;
    // The driver says where its data lie; they must lie inside the reply buffer.
    StorageProtocolDataDescriptor descriptor;
    std::memcpy(&descriptor, reply.data(), sizeof(descriptor));
    const std::uint64_t start =
        std::uint64_t{kProtocolDataDescriptorDataOffset} + descriptor.ProtocolSpecificData.ProtocolDataOffset;
    const std::uint64_t returned = descriptor.ProtocolSpecificData.ProtocolDataLength;
    if (descriptor.ProtocolSpecificData.ProtocolDataOffset < sizeof(StorageProtocolSpecificData) ||
        start + returned > size) {
        return -1;
    }
    std::memcpy(out, reply.data() + start, static_cast<std::size_t>(std::min<std::uint64_t>(returned, length)));
    return 0;
}

int Device::IdentifyNvmeController(std::uint8_t out[4096]) {
    return NvmeQuery(kStorageAdapterProtocolSpecificProperty, kNvmeDataTypeIdentify, kNvmeIdentifyCnsController, 0,
                     out, kNvmeIdentifySize);
}

int Device::IdentifyNvmeNamespace(std::uint32_t namespaceId, std::uint8_t out[4096]) {
    return NvmeQuery(kStorageDeviceProtocolSpecificProperty, kNvmeDataTypeIdentify, kNvmeIdentifyCnsNamespace,
                     namespaceId, out, kNvmeIdentifySize);
}

int Device::ReadNvmeHealthLog(std::uint8_t out[512]) {
    return NvmeQuery(kStorageDeviceProtocolSpecificProperty, kNvmeDataTypeLogPage, kNvmeLogPageHealth, 0, out,
                     kNvmeHealthLogSize);
}

}  // namespace sektra
