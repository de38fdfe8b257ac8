#include "app/HealthDetails.h"

#include <cstdint>

#include "app/DecodedRows.h"
#include "app/HexDump.h"
#include "app/ItemCode.h"
#include "decode/AtaIdentifyFields.h"
#include "decode/FirstReadLabels.h"
#include "decode/NvmeFields.h"
#include "decode/ReplyBytes.h"
#include "decode/SmartAttributes.h"
#include "device/Device.h"
#include "language/ResourceIds.h"

namespace sektra {

namespace {

// The fields of `decoded` that `source` lists as first-read, in the list's order, without the
// ones the summary's own rows already show.
void AddFirstRead(DecodedFields& out, const DecodedFields& decoded, DecodeSource source) {
    for (unsigned label : FirstReadLabels(source)) {
        if (label == IDS_FIELD_MODEL || label == IDS_FIELD_FIRMWARE || label == IDS_FIELD_CAPACITY) continue;
        for (const DecodedField& field : decoded) {
            if (field.labelId == label) {
                out.push_back(field);
                break;
            }
        }
    }
}

DecodedFields SmartFields(Device& device) {
    std::uint8_t attributes[kSmartDataSize] = {};
    if (device.ReadSmartAttributes(attributes) != 0) return {};
    std::uint8_t thresholds[kSmartDataSize] = {};
    const std::size_t thresholdsLength = device.ReadSmartThresholds(thresholds) == 0 ? sizeof thresholds : 0;
    return DecodeSmartAttributes(attributes, sizeof attributes, thresholds, thresholdsLength);
}

}  // namespace

DecodedFields HealthSummaryFields(Device& device) {
    DecodedFields out;
    std::uint8_t data[kNvmeIdentifySize] = {};
    if (device.IdentifyNvmeController(data) == 0)
        AddFirstRead(out, DecodeNvmeIdentifyController(data, kNvmeIdentifySize), DecodeSource::NvmeController);
    if (device.IdentifyNvmeNamespace(1, data) == 0)
        AddFirstRead(out, DecodeNvmeIdentifyNamespace(data, kNvmeIdentifySize), DecodeSource::NvmeNamespace);
    if (device.ReadNvmeHealthLog(data) == 0)
        AddFirstRead(out, DecodeNvmeHealthLog(data, kNvmeHealthLogSize), DecodeSource::NvmeHealth);
    if (device.IdentifyAta(data) == 0) AddFirstRead(out, DecodeAtaIdentify(data, 512), DecodeSource::AtaIdentify);
    AddFirstRead(out, SmartFields(device), DecodeSource::SmartAttributes);
    return out;
}

void AppendAtaIdentifyRows(DetailRows& rows, const TextSource& texts, Device& device) {
    std::uint8_t block[512] = {};
    if (device.IdentifyAta(block) != 0) return;
    AppendDecodedRows(rows, texts, DecodeAtaIdentify(block, sizeof block));
    AppendHexDump(rows, texts.String(IDS_TREE_ATA_IDENTIFY), block, sizeof block);
}

void AppendSmartRows(DetailRows& rows, const TextSource& texts, Device& device) {
    std::uint8_t attributes[kSmartDataSize] = {};
    if (device.ReadSmartAttributes(attributes) != 0) return;
    // A drive that refuses the thresholds still shows its attributes, with thresholds of 0.
    std::uint8_t thresholds[kSmartDataSize] = {};
    const bool haveThresholds = device.ReadSmartThresholds(thresholds) == 0;
    const std::size_t thresholdsLength = haveThresholds ? sizeof thresholds : 0;
    const unsigned revision = attributes[0] | attributes[1] << 8;
    AppendDecodedRows(rows, texts, {DecodedField{IDS_FIELD_SMART_REVISION, DecimalText(revision)}});
    for (const SmartAttribute& a : ParseSmartAttributes(attributes, sizeof attributes, thresholds, thresholdsLength)) {
        rows.push_back(DetailRow{texts.String(SmartAttributeLabel(a.id)), SmartAttributeValue(a), SmartAttributeDetail(a), 0, {}});
    }
    AppendHexDump(rows, texts.String(IDS_TREE_SMART_ATTRIBUTES), attributes, sizeof attributes);
    if (haveThresholds) AppendHexDump(rows, texts.String(IDS_TREE_SMART_THRESHOLDS), thresholds, sizeof thresholds);
}

void AppendNvmeRows(DetailRows& rows, const TextSource& texts, Device& device, std::uint32_t node) {
    std::uint8_t data[kNvmeIdentifySize] = {};
    switch (node) {
        case kNodeNvmeController:
            if (device.IdentifyNvmeController(data) != 0) return;
            AppendDecodedRows(rows, texts, DecodeNvmeIdentifyController(data, kNvmeIdentifySize));
            AppendHexDump(rows, texts.String(IDS_TREE_NVME_CONTROLLER), data, kNvmeIdentifySize);
            break;
        case kNodeNvmeNamespace:
            if (device.IdentifyNvmeNamespace(1, data) != 0) return;
            AppendDecodedRows(rows, texts, DecodeNvmeIdentifyNamespace(data, kNvmeIdentifySize));
            AppendHexDump(rows, texts.String(IDS_TREE_NVME_NAMESPACE), data, kNvmeIdentifySize);
            break;
        case kNodeNvmeHealth:
            if (device.ReadNvmeHealthLog(data) != 0) return;
            AppendDecodedRows(rows, texts, DecodeNvmeHealthLog(data, kNvmeHealthLogSize));
            AppendHexDump(rows, texts.String(IDS_TREE_NVME_HEALTH), data, kNvmeHealthLogSize);
            break;
        default: break;
    }
}

}  // namespace sektra
