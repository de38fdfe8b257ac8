#pragma once
// The structures of the two storage requests that do not travel as SCSI commands: the storage
// property query (device and adapter descriptors) and the SMART request that reads the ATA
// IDENTIFY block. Plain definitions with the exact Windows layouts, so the portable core and
// the emulated devices can build and parse them without <windows.h>; the Windows builds check
// them against the SDK (win32/LayoutChecks.cpp).
#include <cstddef>
#include <cstdint>

namespace sektra {

// IOCTL_STORAGE_QUERY_PROPERTY: CTL_CODE(IOCTL_STORAGE_BASE, 0x500, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr std::uint32_t kIoctlStorageQueryProperty = 0x2D1400;
// SMART_RCV_DRIVE_DATA: CTL_CODE(IOCTL_DISK_BASE, 0x22, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS).
constexpr std::uint32_t kSmartRcvDriveData = 0x7C088;

// STORAGE_PROPERTY_ID and STORAGE_QUERY_TYPE values used here.
constexpr std::uint32_t kStorageDeviceProperty = 0;
constexpr std::uint32_t kStorageAdapterProperty = 1;
constexpr std::uint32_t kPropertyStandardQuery = 0;

// STORAGE_BUS_TYPE values.
enum StorageBusType : std::uint32_t {
    kBusTypeUnknown = 0x00,
    kBusTypeScsi = 0x01,
    kBusTypeAtapi = 0x02,
    kBusTypeAta = 0x03,
    kBusType1394 = 0x04,
    kBusTypeSsa = 0x05,
    kBusTypeFibre = 0x06,
    kBusTypeUsb = 0x07,
    kBusTypeRAID = 0x08,
    kBusTypeiScsi = 0x09,
    kBusTypeSas = 0x0A,
    kBusTypeSata = 0x0B,
    kBusTypeSd = 0x0C,
    kBusTypeMmc = 0x0D,
    kBusTypeVirtual = 0x0E,
    kBusTypeFileBackedVirtual = 0x0F,
    kBusTypeSpaces = 0x10,
    kBusTypeNvme = 0x11,
    kBusTypeSCM = 0x12,
    kBusTypeUfs = 0x13,
};

// STORAGE_PROPERTY_QUERY (12 bytes).
struct StoragePropertyQuery {
    std::uint32_t PropertyId;
    std::uint32_t QueryType;
    std::uint8_t AdditionalParameters[1];
};

// STORAGE_DEVICE_DESCRIPTOR: fixed part of 36 bytes, then the raw properties and the texts that
// the offsets point to (offsets from the start of the descriptor; 0 when absent).
struct StorageDeviceDescriptor {
    std::uint32_t Version;
    std::uint32_t Size;
    std::uint8_t DeviceType;
    std::uint8_t DeviceTypeModifier;
    std::uint8_t RemovableMedia;
    std::uint8_t CommandQueueing;
    std::uint32_t VendorIdOffset;
    std::uint32_t ProductIdOffset;
    std::uint32_t ProductRevisionOffset;
    std::uint32_t SerialNumberOffset;
    std::uint32_t BusType;
    std::uint32_t RawPropertiesLength;
    std::uint8_t RawDeviceProperties[1];
};

// STORAGE_ADAPTER_DESCRIPTOR (32 bytes; SrbType and AddressType exist from Windows 8 on).
struct StorageAdapterDescriptor {
    std::uint32_t Version;
    std::uint32_t Size;
    std::uint32_t MaximumTransferLength;
    std::uint32_t MaximumPhysicalPages;
    std::uint32_t AlignmentMask;
    std::uint8_t AdapterUsesPio;
    std::uint8_t AdapterScansDown;
    std::uint8_t CommandQueueing;
    std::uint8_t AcceleratedTransfer;
    std::uint8_t BusType;
    std::uint16_t BusMajorVersion;
    std::uint16_t BusMinorVersion;
    std::uint8_t SrbType;
    std::uint8_t AddressType;
};

#pragma pack(push, 1)
// IDEREGS (8 bytes).
struct IdeRegs {
    std::uint8_t bFeaturesReg;
    std::uint8_t bSectorCountReg;
    std::uint8_t bSectorNumberReg;
    std::uint8_t bCylLowReg;
    std::uint8_t bCylHighReg;
    std::uint8_t bDriveHeadReg;
    std::uint8_t bCommandReg;
    std::uint8_t bReserved;
};

// SENDCMDINPARAMS: 32 bytes before the data; the IDENTIFY request sends just those 32.
struct SendCmdInParams {
    std::uint32_t cBufferSize;
    IdeRegs irDriveRegs;
    std::uint8_t bDriveNumber;
    std::uint8_t bReserved[3];
    std::uint32_t dwReserved[4];
    std::uint8_t bBuffer[1];
};

// DRIVERSTATUS (12 bytes).
struct DriverStatus {
    std::uint8_t bDriverError;
    std::uint8_t bIDEError;
    std::uint8_t bReserved[2];
    std::uint32_t dwReserved[2];
};

// SENDCMDOUTPARAMS: a 16-byte header, then the data (512 bytes for IDENTIFY).
struct SendCmdOutParams {
    std::uint32_t cBufferSize;
    sektra::DriverStatus DriverStatus;
    std::uint8_t bBuffer[1];
};
#pragma pack(pop)

// The protocol-specific property query of NVMe disks: STORAGE_PROPERTY_QUERY whose
// AdditionalParameters hold a STORAGE_PROTOCOL_SPECIFIC_DATA, the data area right after it.
// The reply is a STORAGE_PROTOCOL_DATA_DESCRIPTOR: Version, Size, then the same structure
// with ProtocolDataOffset counted from its own start.
constexpr std::uint32_t kStorageAdapterProtocolSpecificProperty = 49;
constexpr std::uint32_t kStorageDeviceProtocolSpecificProperty = 50;
constexpr std::uint32_t kProtocolTypeNvme = 3;
constexpr std::uint32_t kNvmeDataTypeIdentify = 1;
constexpr std::uint32_t kNvmeDataTypeLogPage = 2;
constexpr std::uint32_t kNvmeIdentifyCnsNamespace = 0;
constexpr std::uint32_t kNvmeIdentifyCnsController = 1;
constexpr std::uint32_t kNvmeLogPageHealth = 0x02;

// STORAGE_PROTOCOL_SPECIFIC_DATA (40 bytes).
struct StorageProtocolSpecificData {
    std::uint32_t ProtocolType;
    std::uint32_t DataType;
    std::uint32_t ProtocolDataRequestValue;
    std::uint32_t ProtocolDataRequestSubValue;
    std::uint32_t ProtocolDataOffset;
    std::uint32_t ProtocolDataLength;
    std::uint32_t FixedProtocolReturnData;
    std::uint32_t ProtocolDataRequestSubValue2;
    std::uint32_t ProtocolDataRequestSubValue3;
    std::uint32_t ProtocolDataRequestSubValue4;
};

// STORAGE_PROTOCOL_DATA_DESCRIPTOR (48 bytes).
struct StorageProtocolDataDescriptor {
    std::uint32_t Version;
    std::uint32_t Size;
    StorageProtocolSpecificData ProtocolSpecificData;
};

// Where the protocol data start in the query: right after PropertyId and QueryType.
constexpr std::size_t kPropertyQueryParametersOffset = offsetof(StoragePropertyQuery, AdditionalParameters);  // 8
constexpr std::size_t kProtocolDataDescriptorDataOffset =
    offsetof(StorageProtocolDataDescriptor, ProtocolSpecificData);  // 8

// ATA commands for the IDENTIFY request (ID_CMD, ATAPI_ID_CMD).
constexpr std::uint8_t kAtaIdentifyDevice = 0xEC;
constexpr std::uint8_t kAtaIdentifyPacketDevice = 0xA1;

// SMART READ ATTRIBUTES and READ THRESHOLDS travel as the SMART command (B0h) with the
// signature 4Fh/C2h in the cylinder registers and the feature in the features register.
constexpr std::uint8_t kAtaSmartCommand = 0xB0;
constexpr std::uint8_t kSmartCylLow = 0x4F;
constexpr std::uint8_t kSmartCylHigh = 0xC2;
constexpr std::uint8_t kSmartReadAttributes = 0xD0;
constexpr std::uint8_t kSmartReadThresholds = 0xD1;
constexpr std::size_t kSmartBlockSize = 512;

constexpr std::size_t kIdentifyBlockSize = 512;
constexpr std::size_t kSendCmdInParamsSize = offsetof(SendCmdInParams, bBuffer);    // 32
constexpr std::size_t kSendCmdOutHeaderSize = offsetof(SendCmdOutParams, bBuffer);  // 16

static_assert(sizeof(StoragePropertyQuery) == 12, "STORAGE_PROPERTY_QUERY layout");
static_assert(offsetof(StorageDeviceDescriptor, SerialNumberOffset) == 24, "descriptor layout");
static_assert(offsetof(StorageDeviceDescriptor, BusType) == 28, "descriptor layout");
static_assert(offsetof(StorageDeviceDescriptor, RawDeviceProperties) == 36, "descriptor layout");
static_assert(sizeof(StorageAdapterDescriptor) == 32, "adapter descriptor layout");
static_assert(offsetof(StorageAdapterDescriptor, MaximumPhysicalPages) == 12, "adapter layout");
static_assert(sizeof(IdeRegs) == 8, "IDEREGS layout");
static_assert(kSendCmdInParamsSize == 32, "SENDCMDINPARAMS layout");
static_assert(sizeof(DriverStatus) == 12, "DRIVERSTATUS layout");
static_assert(kSendCmdOutHeaderSize == 16, "SENDCMDOUTPARAMS layout");
static_assert(sizeof(StorageProtocolSpecificData) == 40, "STORAGE_PROTOCOL_SPECIFIC_DATA layout");
static_assert(sizeof(StorageProtocolDataDescriptor) == 48, "STORAGE_PROTOCOL_DATA_DESCRIPTOR layout");
static_assert(kPropertyQueryParametersOffset == 8, "AdditionalParameters offset");

}  // namespace sektra
