#include "decode/FirstReadLabels.h"

#include "language/ResourceIds.h"

namespace sektra {

namespace {

constexpr unsigned kAtaIdentify[] = {
    IDS_FIELD_MODEL,          IDS_FIELD_SERIAL,   IDS_FIELD_FIRMWARE,    IDS_FIELD_CAPACITY, IDS_FIELD_LOGICAL_SECTOR,
    IDS_FIELD_PHYSICAL_SECTOR, IDS_FIELD_ROTATION, IDS_FIELD_WRITE_CACHE, IDS_FIELD_TRIM,
};
constexpr unsigned kSmartAttributes[] = {
    IDS_FIELD_TEMPERATURE, IDS_FIELD_POWER_ON_HOURS, IDS_FIELD_POWER_CYCLES, IDS_SMART_REALLOCATED,
    IDS_SMART_PENDING,     IDS_SMART_OFFLINE_UNCORR, IDS_SMART_CRC_ERRORS,   IDS_SMART_WEAR_LEVELING,
    IDS_SMART_LIFE_LEFT,   IDS_SMART_MEDIA_WEAROUT,  IDS_SMART_LBAS_WRITTEN,
};
constexpr unsigned kNvmeController[] = {IDS_FIELD_MODEL, IDS_FIELD_SERIAL, IDS_FIELD_FIRMWARE};
constexpr unsigned kNvmeNamespace[] = {IDS_FIELD_CAPACITY, IDS_FIELD_LOGICAL_SECTOR};
constexpr unsigned kNvmeHealth[] = {
    IDS_NVME_CRITICAL_WARNING, IDS_FIELD_TEMPERATURE, IDS_NVME_SPARE,        IDS_NVME_PERCENTAGE_USED,
    IDS_FIELD_POWER_ON_HOURS,  IDS_NVME_MEDIA_ERRORS, IDS_NVME_DATA_WRITTEN, IDS_NVME_UNSAFE_SHUTDOWNS,
};

template <std::size_t N>
LabelList List(const unsigned (&ids)[N]) {
    return LabelList{ids, N};
}

}  // namespace

LabelList FirstReadLabels(DecodeSource source) {
    switch (source) {
        case DecodeSource::AtaIdentify: return List(kAtaIdentify);
        case DecodeSource::SmartAttributes: return List(kSmartAttributes);
        case DecodeSource::NvmeController: return List(kNvmeController);
        case DecodeSource::NvmeNamespace: return List(kNvmeNamespace);
        case DecodeSource::NvmeHealth: return List(kNvmeHealth);
    }
    return LabelList{nullptr, 0};
}

}  // namespace sektra
