// Compile-time proof that the portable definitions of the request structures match the SDK's,
// field for field, in each Windows build (i686 and x86_64).
#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>

#include <cstddef>

#include "device/ScsiRequest.h"
#include "device/StorageStructs.h"

namespace sektra {
namespace {

#define SEKTRA_SAME_FIELD(Ours, Sdk, field)                                  \
    static_assert(offsetof(Ours, field) == offsetof(Sdk, field), #field);   \
    static_assert(sizeof(Ours::field) == sizeof(Sdk::field), #field " size")

using Sptd = ::SCSI_PASS_THROUGH_DIRECT;
static_assert(sizeof(ScsiPassThroughDirect) == sizeof(Sptd), "SCSI_PASS_THROUGH_DIRECT size");
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, Length);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, ScsiStatus);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, PathId);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, TargetId);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, Lun);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, CdbLength);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, SenseInfoLength);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, DataIn);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, DataTransferLength);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, TimeOutValue);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, DataBuffer);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, SenseInfoOffset);
SEKTRA_SAME_FIELD(ScsiPassThroughDirect, Sptd, Cdb);
static_assert(offsetof(ScsiRequest, sptd) == 0, "request starts with the pass-through");
static_assert(offsetof(ScsiRequest, filler) == sizeof(Sptd), "filler follows the pass-through");
static_assert(offsetof(ScsiRequest, sense) == sizeof(Sptd) + 4, "sense area follows the filler");
#if defined(_WIN64)
static_assert(sizeof(Sptd) == 56 && kSenseInfoOffset == 60 && sizeof(ScsiRequest) == 96,
              "x86_64 request layout");
#else
static_assert(sizeof(Sptd) == 44 && kSenseInfoOffset == 48 && sizeof(ScsiRequest) == 80,
              "i686 request layout");
#endif

static_assert(IOCTL_SCSI_PASS_THROUGH_DIRECT == kIoctlScsiPassThroughDirect, "control code");
static_assert(IOCTL_STORAGE_QUERY_PROPERTY == kIoctlStorageQueryProperty, "control code");
static_assert(SMART_RCV_DRIVE_DATA == kSmartRcvDriveData, "control code");
static_assert(SCSI_IOCTL_DATA_IN == kScsiIoctlDataIn && SCSI_IOCTL_DATA_OUT == kScsiIoctlDataOut,
              "data direction");
static_assert(ID_CMD == kAtaIdentifyDevice && ATAPI_ID_CMD == kAtaIdentifyPacketDevice, "ATA commands");
static_assert(StorageDeviceProperty == kStorageDeviceProperty &&
              StorageAdapterProperty == kStorageAdapterProperty &&
              PropertyStandardQuery == kPropertyStandardQuery, "property query values");
static_assert(READ_ATTRIBUTES == kSmartReadAttributes && READ_THRESHOLDS == kSmartReadThresholds &&
              SMART_CMD == kAtaSmartCommand && SMART_CYL_LOW == kSmartCylLow && SMART_CYL_HI == kSmartCylHigh,
              "SMART request values");
static_assert(READ_ATTRIBUTE_BUFFER_SIZE == kSmartBlockSize && READ_THRESHOLD_BUFFER_SIZE == kSmartBlockSize,
              "SMART data size");
static_assert(StorageAdapterProtocolSpecificProperty == kStorageAdapterProtocolSpecificProperty &&
              StorageDeviceProtocolSpecificProperty == kStorageDeviceProtocolSpecificProperty, "protocol properties");
static_assert(ProtocolTypeNvme == kProtocolTypeNvme && NVMeDataTypeIdentify == kNvmeDataTypeIdentify &&
              NVMeDataTypeLogPage == kNvmeDataTypeLogPage, "NVMe query values");
static_assert(offsetof(::STORAGE_PROPERTY_QUERY, AdditionalParameters) == kPropertyQueryParametersOffset,
              "AdditionalParameters offset");
using ProtocolData = ::STORAGE_PROTOCOL_SPECIFIC_DATA;
static_assert(sizeof(StorageProtocolSpecificData) == sizeof(ProtocolData), "STORAGE_PROTOCOL_SPECIFIC_DATA size");
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, ProtocolType);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, DataType);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, ProtocolDataRequestValue);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, ProtocolDataRequestSubValue);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, ProtocolDataOffset);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, ProtocolDataLength);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, FixedProtocolReturnData);
SEKTRA_SAME_FIELD(StorageProtocolSpecificData, ProtocolData, ProtocolDataRequestSubValue4);
using ProtocolDescriptor = ::STORAGE_PROTOCOL_DATA_DESCRIPTOR;
static_assert(sizeof(StorageProtocolDataDescriptor) == sizeof(ProtocolDescriptor), "descriptor size");
SEKTRA_SAME_FIELD(StorageProtocolDataDescriptor, ProtocolDescriptor, Size);
SEKTRA_SAME_FIELD(StorageProtocolDataDescriptor, ProtocolDescriptor, ProtocolSpecificData);

// The SDK's enumeration stops at BusTypeSpaces; later values come from newer SDKs.
#define SEKTRA_SAME_BUS(sdk, ours) static_assert(int(sdk) == int(ours), #sdk)
SEKTRA_SAME_BUS(BusTypeAtapi, kBusTypeAtapi);
SEKTRA_SAME_BUS(BusTypeAta, kBusTypeAta);
SEKTRA_SAME_BUS(BusTypeRAID, kBusTypeRAID);
SEKTRA_SAME_BUS(BusTypeSata, kBusTypeSata);
SEKTRA_SAME_BUS(BusTypeFileBackedVirtual, kBusTypeFileBackedVirtual);
SEKTRA_SAME_BUS(BusTypeSpaces, kBusTypeSpaces);
#undef SEKTRA_SAME_BUS

using Query = ::STORAGE_PROPERTY_QUERY;
static_assert(sizeof(StoragePropertyQuery) == sizeof(Query), "STORAGE_PROPERTY_QUERY size");
SEKTRA_SAME_FIELD(StoragePropertyQuery, Query, PropertyId);
SEKTRA_SAME_FIELD(StoragePropertyQuery, Query, QueryType);
SEKTRA_SAME_FIELD(StoragePropertyQuery, Query, AdditionalParameters);

using DeviceDescriptor = ::STORAGE_DEVICE_DESCRIPTOR;
static_assert(sizeof(StorageDeviceDescriptor) == sizeof(DeviceDescriptor), "descriptor size");
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, Version);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, Size);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, DeviceType);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, DeviceTypeModifier);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, RemovableMedia);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, CommandQueueing);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, VendorIdOffset);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, ProductIdOffset);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, ProductRevisionOffset);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, SerialNumberOffset);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, BusType);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, RawPropertiesLength);
SEKTRA_SAME_FIELD(StorageDeviceDescriptor, DeviceDescriptor, RawDeviceProperties);

using AdapterDescriptor = ::STORAGE_ADAPTER_DESCRIPTOR;
static_assert(sizeof(StorageAdapterDescriptor) == sizeof(AdapterDescriptor), "adapter size");
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, Version);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, Size);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, MaximumTransferLength);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, MaximumPhysicalPages);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, AlignmentMask);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, AdapterUsesPio);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, AcceleratedTransfer);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, BusType);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, BusMajorVersion);
SEKTRA_SAME_FIELD(StorageAdapterDescriptor, AdapterDescriptor, BusMinorVersion);

static_assert(sizeof(IdeRegs) == sizeof(::IDEREGS), "IDEREGS size");
SEKTRA_SAME_FIELD(IdeRegs, ::IDEREGS, bSectorCountReg);
SEKTRA_SAME_FIELD(IdeRegs, ::IDEREGS, bDriveHeadReg);
SEKTRA_SAME_FIELD(IdeRegs, ::IDEREGS, bCommandReg);
static_assert(sizeof(SendCmdInParams) == sizeof(::SENDCMDINPARAMS), "SENDCMDINPARAMS size");
SEKTRA_SAME_FIELD(SendCmdInParams, ::SENDCMDINPARAMS, cBufferSize);
SEKTRA_SAME_FIELD(SendCmdInParams, ::SENDCMDINPARAMS, irDriveRegs);
SEKTRA_SAME_FIELD(SendCmdInParams, ::SENDCMDINPARAMS, bDriveNumber);
SEKTRA_SAME_FIELD(SendCmdInParams, ::SENDCMDINPARAMS, dwReserved);
SEKTRA_SAME_FIELD(SendCmdInParams, ::SENDCMDINPARAMS, bBuffer);
static_assert(sizeof(DriverStatus) == sizeof(::DRIVERSTATUS), "DRIVERSTATUS size");
static_assert(sizeof(SendCmdOutParams) == sizeof(::SENDCMDOUTPARAMS), "SENDCMDOUTPARAMS size");
SEKTRA_SAME_FIELD(SendCmdOutParams, ::SENDCMDOUTPARAMS, DriverStatus);
SEKTRA_SAME_FIELD(SendCmdOutParams, ::SENDCMDOUTPARAMS, bBuffer);

#undef SEKTRA_SAME_FIELD

}  // namespace
}  // namespace sektra
