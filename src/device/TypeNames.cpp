#include "device/TypeNames.h"

namespace sektra {

namespace {

const char* const kBusTypeNames[] = {
    "UNKNOWN", "SCSI", "ATAPI", "ATA", "IEEE 1394", "SSA", "FIBRE", "USB", "RAID",
    "iSCSI", "SAS", "SATA", "SD", "MMC", "Virtual", "File Backed Virtual", "Spaces",
    "NVMe", "SCM", "UFS",
};

const char* const kPeripheralTypeNames[] = {
    "Direct Access Device", "Tape Device", "Printer Device", "Processor Device",
    "WORM Device", "CDROM Device", "Scanner Device", "Optical Disk",
    "Media Changer", "Comm. Device", "ASCIT8", "ASCIT8",
    "Array Device", "Enclosure Device", "RBC Device", "Unknown Device",
};

template <typename T, std::uint32_t N>
constexpr std::uint32_t CountOf(T (&)[N]) { return N; }

}  // namespace

const char* GetBusTypeName(std::uint32_t busType) {
    return busType < CountOf(kBusTypeNames) ? kBusTypeNames[busType] : kBusTypeNames[0];
}

const char* GetPeripheralTypeName(std::uint32_t peripheralType) {
    const std::uint32_t last = CountOf(kPeripheralTypeNames) - 1;
    return kPeripheralTypeNames[peripheralType < last ? peripheralType : last];
}

}  // namespace sektra
