#pragma once
// The detail rows of the sources that decode into labelled fields: the ATA identification
// block, the SMART attributes and the NVMe identify data and health log. Decoded rows come
// first, the reply's hex dump after them.
#include <cstdint>

#include "app/DetailRow.h"
#include "app/TextSource.h"
#include "decode/DecodedField.h"

namespace sektra {

class Device;

// The first-read fields of the ATA identification and SMART attributes (ATA and SATA disks)
// or of the NVMe identify data and health log (NVMe disks), for the device summary. Model,
// firmware and capacity are left to the summary's own rows. Whatever the device refuses is
// left out; other disks give nothing.
DecodedFields HealthSummaryFields(Device& device);

void AppendAtaIdentifyRows(DetailRows& rows, const TextSource& texts, Device& device);
void AppendSmartRows(DetailRows& rows, const TextSource& texts, Device& device);
// `node` is kNodeNvmeController, kNodeNvmeNamespace or kNodeNvmeHealth.
void AppendNvmeRows(DetailRows& rows, const TextSource& texts, Device& device, std::uint32_t node);

}  // namespace sektra
